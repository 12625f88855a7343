// Start-up to first paint, seen from the X server: starts a program and
// reports how long it took until the pixels of a screen rectangle first
// changed (the window's first painted pixels reaching the screen), then ends
// the program.
//
//   first_paint <x> <y> <width> <height> <timeout ms> <program> [<arg>...]
//
// Prints the milliseconds from just before the program was started, or fails
// when nothing changed within the timeout. The rectangle is read about every
// 0.2 ms; keep it small (the two pixel rows a parked strip shows).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

std::vector<unsigned long> ReadPixels(Display* display, int x, int y, int width, int height) {
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes,
                            ZPixmap);
  if (!image) return pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) pixels.push_back(XGetPixel(image, column, row));
  }
  XDestroyImage(image);
  return pixels;
}

void EndProgram(pid_t program) {
  kill(program, SIGTERM);
  int status;
  waitpid(program, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7) {
    std::fprintf(stderr, "usage: %s x y width height timeout_ms program [arg...]\n", argv[0]);
    return 2;
  }
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
  const double timeoutMs = std::atof(argv[5]);
  Display* display = XOpenDisplay(nullptr);
  if (!display || width <= 0 || height <= 0) {
    std::fprintf(stderr, "first_paint: no display or empty rectangle\n");
    return 2;
  }
  const std::vector<unsigned long> before = ReadPixels(display, x, y, width, height);
  if (before.empty()) {
    std::fprintf(stderr, "first_paint: the rectangle is not on the screen\n");
    return 2;
  }

  const double start = NowMs();
  const pid_t program = fork();
  if (program == 0) {
    execvp(argv[6], argv + 6);
    _exit(127);
  }
  if (program < 0) return 2;

  while (NowMs() - start < timeoutMs) {
    if (ReadPixels(display, x, y, width, height) != before) {
      std::printf("%.1f\n", NowMs() - start);
      EndProgram(program);
      return 0;
    }
    int status;
    if (waitpid(program, &status, WNOHANG) == program) {
      std::fprintf(stderr, "first_paint: the program ended without painting\n");
      return 1;
    }
    usleep(200);
  }
  std::fprintf(stderr, "first_paint: nothing painted within %.0f ms\n", timeoutMs);
  EndProgram(program);
  return 1;
}
