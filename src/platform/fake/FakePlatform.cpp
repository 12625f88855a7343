#include "platform/fake/FakePlatform.h"

#include <algorithm>
#include <utility>

#include "platform/RegistryText.h"

namespace tavilo {
namespace {

// Registry names, environment names and file paths compare without regard to
// ASCII case, as they do on Windows.
std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
  });
  return text;
}

}  // namespace

std::intptr_t FakePlatform::WindowExStyle(WindowHandle window) {
  calls.push_back(PlatformCall::WindowExStyleRead);
  if (windowServices) return windowServices->WindowExStyle(window);
  return windows_[window].exStyle;
}

void FakePlatform::SetWindowExStyle(WindowHandle window, std::intptr_t style) {
  calls.push_back(PlatformCall::WindowExStyleWrite);
  exStyleWrites.push_back({window, style});
  if (windowServices) return windowServices->SetWindowExStyle(window, style);
  WindowState& state = windows_[window];
  state.exStyle = style;
  // Taking the layered style away forgets the attributes, as Windows does.
  if (!(style & kWsExLayered)) state.layered.reset();
}

bool FakePlatform::SetLayeredAttributes(WindowHandle window,
                                        const LayeredAttributes& attributes) {
  calls.push_back(PlatformCall::LayeredAttributesWrite);
  layeredWrites.push_back({window, attributes});
  if (windowServices) return windowServices->SetLayeredAttributes(window, attributes);
  WindowState& state = windows_[window];
  if (!(state.exStyle & kWsExLayered)) return false;
  state.layered = attributes;
  return true;
}

std::optional<LayeredAttributes> FakePlatform::GetLayeredAttributes(WindowHandle window) {
  calls.push_back(PlatformCall::LayeredAttributesRead);
  if (windowServices) return windowServices->GetLayeredAttributes(window);
  return windows_[window].layered;
}

std::wstring FakePlatform::CalendarInfo(const std::wstring& locale, std::uint32_t calendar,
                                       std::uint32_t item) {
  calls.push_back(PlatformCall::CalendarInfoRead);
  calendarInfoRequests.push_back({locale, calendar, item});
  return calendarInfoResponder ? calendarInfoResponder(calendarInfoRequests.back())
                               : std::wstring();
}

std::uint32_t FakePlatform::SendMediaCommand(const std::wstring& command) {
  calls.push_back(PlatformCall::MediaCommand);
  mediaCommands.push_back(command);
  return mediaResponder ? mediaResponder(command).code : 0;
}

std::uint32_t FakePlatform::QueryMedia(const std::wstring& command, std::wstring& reply) {
  calls.push_back(PlatformCall::MediaQuery);
  mediaQueries.push_back(command);
  MediaReply answer = mediaResponder ? mediaResponder(command) : MediaReply{};
  reply = answer.text;
  return answer.code;
}

std::uint32_t FakePlatform::PlatformId() {
  calls.push_back(PlatformCall::PlatformIdRead);
  return platformId;
}

std::optional<TokenHandle> FakePlatform::OpenProcessToken(std::uint32_t access) {
  calls.push_back(PlatformCall::ProcessTokenOpen);
  tokenOpens.push_back(access);
  if (!tokenOpenSucceeds) return std::nullopt;
  return kToken;
}

std::optional<std::uint64_t> FakePlatform::LookupPrivilegeId(const std::wstring& name) {
  calls.push_back(PlatformCall::PrivilegeLookup);
  privilegeLookups.push_back(name);
  auto found = privileges.find(name);
  if (found == privileges.end()) return std::nullopt;
  return found->second;
}

bool FakePlatform::AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                                        std::uint32_t attributes) {
  calls.push_back(PlatformCall::PrivilegeAdjust);
  privilegeAdjustments.push_back({token, luid, attributes});
  return privilegeAdjustSucceeds;
}

void FakePlatform::CloseToken(TokenHandle token) {
  calls.push_back(PlatformCall::TokenClose);
  closedTokens.push_back(token);
}

bool FakePlatform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  calls.push_back(PlatformCall::ExitWindowsEx);
  exitWindowsRequests.push_back({flags, reason});
  return exitWindowsSucceeds;
}

bool FakePlatform::SuspendSystem(bool hibernate) {
  calls.push_back(PlatformCall::SuspendSystem);
  suspends.push_back(hibernate);
  return suspendSucceeds;
}

bool FakePlatform::LockWorkStation() {
  calls.push_back(PlatformCall::WorkStationLock);
  return lockSucceeds;
}

void FakePlatform::TurnDisplayOff(WindowHandle) { calls.push_back(PlatformCall::DisplayOff); }

void FakePlatform::AddRegistryKey(RegistryRoot root, const std::wstring& path) {
  registry_[{root, Lower(path)}];
}

void FakePlatform::SetRegistryValue(RegistryRoot root, const std::wstring& path,
                                    const std::wstring& name, RegistryData data) {
  registry_[{root, Lower(path)}][Lower(name)] = std::move(data);
}

void FakePlatform::SetRegistryString(RegistryRoot root, const std::wstring& path,
                                     const std::wstring& name, const std::wstring& text,
                                     std::uint32_t type) {
  SetRegistryValue(root, path, name, RegistryData{type, ToRegistryBytes(text)});
}

long FakePlatform::OpenRegistryKey(RegistryRoot root, const std::wstring& path,
                                   std::uint32_t access, RegistryKey& key) {
  calls.push_back(PlatformCall::RegistryOpen);
  registryOpens.push_back({root, path, access});
  RegistryPath where{root, Lower(path)};
  if (!registry_.contains(where)) return kErrorFileNotFound;
  key = nextKey_++;
  openKeys_[key] = std::move(where);
  return kErrorSuccess;
}

long FakePlatform::QueryRegistryValue(RegistryKey key, const std::wstring& name,
                                      std::size_t capacity, RegistryData& data) {
  calls.push_back(PlatformCall::RegistryQuery);
  registryQueries.push_back(name);
  data = RegistryData{};
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return kErrorFileNotFound;
  const RegistryValues& values = registry_[open->second];
  auto found = values.find(Lower(name));
  if (found == values.end()) return kErrorFileNotFound;
  data.type = found->second.type;
  if (found->second.bytes.size() > capacity) return kErrorMoreData;
  data.bytes = found->second.bytes;
  return kErrorSuccess;
}

void FakePlatform::CloseRegistryKey(RegistryKey key) {
  calls.push_back(PlatformCall::RegistryClose);
  openKeys_.erase(key);
}

std::optional<RegistryData> FakePlatform::RegistryValue(RegistryRoot root,
                                                        const std::wstring& path,
                                                        const std::wstring& name) const {
  auto key = registry_.find({root, Lower(path)});
  if (key == registry_.end()) return std::nullopt;
  auto value = key->second.find(Lower(name));
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

long FakePlatform::CreateRegistryKey(RegistryRoot root, const std::wstring& path,
                                     std::uint32_t access, RegistryKey& key) {
  calls.push_back(PlatformCall::RegistryCreate);
  registryCreates.push_back({root, path, access});
  if (registryWritesFail) return kErrorAccessDenied;
  RegistryPath where{root, Lower(path)};
  registry_[where];
  key = nextKey_++;
  openKeys_[key] = std::move(where);
  return kErrorSuccess;
}

long FakePlatform::WriteRegistryValue(RegistryKey key, const std::wstring& name,
                                      std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
  calls.push_back(PlatformCall::RegistryWrite);
  registryWrites.push_back({name, type, bytes});
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return kErrorInvalidHandle;
  if (registryWritesFail) return kErrorAccessDenied;
  registry_[open->second][Lower(name)] = RegistryData{type, bytes};
  return kErrorSuccess;
}

long FakePlatform::DeleteRegistryValue(RegistryKey key, const std::wstring& name) {
  calls.push_back(PlatformCall::RegistryDelete);
  registryDeletes.push_back(name);
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return kErrorInvalidHandle;
  if (registryWritesFail) return kErrorAccessDenied;
  return registry_[open->second].erase(Lower(name)) ? kErrorSuccess : kErrorFileNotFound;
}

MonitorAreas FakePlatform::MonitorOf(WindowHandle) {
  const ScreenRect screen{0, 0, screenWidth, screenHeight};
  return monitorAreas.value_or(MonitorAreas{screen, screen});
}

ForegroundState FakePlatform::Foreground(WindowHandle) {
  calls.push_back(PlatformCall::ForegroundRead);
  return foreground;
}

bool FakePlatform::SetExecutionState(std::uint32_t flags) {
  calls.push_back(PlatformCall::ExecutionStateSet);
  executionStates.push_back(flags);
  return executionStateSucceeds;
}

void FakePlatform::AlertSound(std::uint32_t type) {
  calls.push_back(PlatformCall::AlertSoundPlayed);
  alertSounds.push_back(type);
}

// %NAME% is replaced by the variable's value; a reference to an unknown
// variable, and a lone %, stay as written.
std::wstring FakePlatform::ExpandEnvironment(const std::wstring& text) {
  calls.push_back(PlatformCall::EnvironmentExpand);
  std::wstring expanded;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t open = text.find(L'%', pos);
    std::size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
    if (close == std::wstring::npos) break;
    expanded.append(text, pos, open - pos);
    std::wstring name = Lower(text.substr(open + 1, close - open - 1));
    auto found = std::find_if(environment.begin(), environment.end(),
                              [&](const auto& variable) { return Lower(variable.first) == name; });
    if (found != environment.end() && !name.empty()) {
      expanded += found->second;
    } else {
      expanded.append(text, open, close - open + 1);
    }
    pos = close + 1;
  }
  expanded.append(text, pos);
  return expanded;
}

bool FakePlatform::FileExists(const std::wstring& path) {
  calls.push_back(PlatformCall::FileCheck);
  fileChecks.push_back(path);
  if (disk.contains(path)) return true;
  std::wstring wanted = Lower(path);
  return std::any_of(files.begin(), files.end(),
                     [&](const std::wstring& file) { return Lower(file) == wanted; });
}

bool FakePlatform::StartProgram(const std::wstring& commandLine, int showCommand) {
  calls.push_back(PlatformCall::ProgramStart);
  programStarts.push_back({commandLine, showCommand});
  return programStartSucceeds;
}

int FakePlatform::ShowMessageBox(WindowHandle owner, const std::wstring& text,
                                 const std::wstring& caption, std::uint32_t style) {
  calls.push_back(PlatformCall::MessageBoxShown);
  messageBoxes.push_back({owner, text, caption, style});
  if (messageBoxResults.empty()) return kIdOk;
  int result = messageBoxResults.front();
  messageBoxResults.pop_front();
  return result;
}

std::optional<std::wstring> FakePlatform::ShowOpenFileDialog(
    WindowHandle owner, const std::vector<FileFilter>& filters) {
  calls.push_back(PlatformCall::OpenFileDialog);
  openFileDialogs.push_back({owner, filters});
  if (openFileDialogResults.empty()) return std::nullopt;
  std::optional<std::wstring> result = openFileDialogResults.front();
  openFileDialogResults.pop_front();
  return result;
}

void FakePlatform::PutFile(const std::wstring& path, std::string content) {
  disk[path] = FakeFile{content, content, ++diskClock_};
}

void FakePlatform::LoseUnflushedData() {
  for (auto& [path, file] : disk) file.content = file.durable;
  openFiles_.clear();
}

long FakePlatform::FileCall(PlatformCall call, bool& cut) {
  calls.push_back(call);
  cut = false;
  if (powerCut_) return kErrorNotReady;
  if (auto failure = fileFailures.find(call); failure != fileFailures.end()) return failure->second;
  const bool reads = call == PlatformCall::FileRead || call == PlatformCall::FileTimeRead;
  if (!reads && fileChangesBeforeCut && (*fileChangesBeforeCut)-- == 0)
    cut = powerCut_ = true;
  return kErrorSuccess;
}

long FakePlatform::PowerCut() {
  LoseUnflushedData();
  return kErrorNotReady;
}

long FakePlatform::MissingError(const std::wstring& path) const {
  const std::size_t slash = path.rfind(L'\\');
  const bool inFolder = slash != std::wstring::npos && folders.contains(path.substr(0, slash));
  return inFolder ? kErrorFileNotFound : kErrorPathNotFound;
}

std::wstring FakePlatform::AppDataFolder() {
  calls.push_back(PlatformCall::AppDataFolderRead);
  return appDataFolder;
}

long FakePlatform::CreateFolder(const std::wstring& path) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FolderCreate, cut)) return error;
  if (!folders.contains(path) && MissingError(path) == kErrorPathNotFound) return kErrorPathNotFound;
  folders.insert(path);
  return cut ? PowerCut() : kErrorSuccess;
}

long FakePlatform::ReadWholeFile(const std::wstring& path, std::string& bytes) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileRead, cut)) return error;
  auto found = disk.find(path);
  if (found == disk.end()) return MissingError(path);
  bytes = found->second.content;
  return kErrorSuccess;
}

// A new or emptied file is on the disk at once, empty.
long FakePlatform::CreateFileForWriting(const std::wstring& path, bool replace,
                                        FileHandle& file) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileCreate, cut)) return error;
  if (MissingError(path) == kErrorPathNotFound) return kErrorPathNotFound;
  if (!replace && disk.contains(path)) return kErrorFileExists;
  disk[path] = FakeFile{{}, {}, ++diskClock_};
  if (cut) return PowerCut();
  file = nextFile_++;
  openFiles_[file] = path;
  return kErrorSuccess;
}

// Cut, half the bytes reach the disk before the power goes.
long FakePlatform::WriteToFile(FileHandle file, std::string_view bytes) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileWrite, cut)) return error;
  if (!openFiles_.contains(file)) return kErrorInvalidHandle;
  FakeFile& written = disk[openFiles_[file]];
  written.content.append(cut ? bytes.substr(0, bytes.size() / 2) : bytes);
  written.lastWrite = ++diskClock_;
  if (!cut) return kErrorSuccess;
  written.durable = written.content;
  return PowerCut();
}

long FakePlatform::FlushFile(FileHandle file) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileFlush, cut)) return error;
  if (!openFiles_.contains(file)) return kErrorInvalidHandle;
  if (cut) return PowerCut();
  FakeFile& flushed = disk[openFiles_[file]];
  flushed.durable = flushed.content;
  return kErrorSuccess;
}

long FakePlatform::CloseFile(FileHandle file) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileClose, cut)) return error;
  if (!openFiles_.erase(file)) return kErrorInvalidHandle;
  return cut ? PowerCut() : kErrorSuccess;
}

// Cut, half the file is copied.
long FakePlatform::CopyFileOver(const std::wstring& from, const std::wstring& to) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileCopy, cut)) return error;
  auto source = disk.find(from);
  if (source == disk.end()) return MissingError(from);
  if (MissingError(to) == kErrorPathNotFound) return kErrorPathNotFound;
  std::string copied = source->second.content;
  if (cut) copied.resize(copied.size() / 2);
  disk[to] = FakeFile{copied, copied, source->second.lastWrite};
  return cut ? PowerCut() : kErrorSuccess;
}

// The rename is one step: cut, it has not happened.
long FakePlatform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileMove, cut)) return error;
  if (cut) return PowerCut();
  auto source = disk.find(from);
  if (source == disk.end()) return MissingError(from);
  if (MissingError(to) == kErrorPathNotFound) return kErrorPathNotFound;
  FakeFile moved = std::move(source->second);
  disk.erase(source);
  disk[to] = std::move(moved);
  return kErrorSuccess;
}

long FakePlatform::FileLastWriteTime(const std::wstring& path, std::uint64_t& time) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileTimeRead, cut)) return error;
  auto found = disk.find(path);
  if (found == disk.end()) return MissingError(path);
  time = found->second.lastWrite;
  return kErrorSuccess;
}

std::wstring FakePlatform::ErrorText(long code) {
  calls.push_back(PlatformCall::ErrorTextRead);
  return L"error " + std::to_wstring(code);
}

// --- Calendar export ---
std::optional<std::wstring> FakePlatform::ShowSaveFileDialog(WindowHandle owner,
                                                             const std::vector<FileFilter>& filters,
                                                             const std::wstring& suggestedName,
                                                             const std::wstring& extension) {
  calls.push_back(PlatformCall::SaveFileDialog);
  saveFileDialogs.push_back({owner, filters, suggestedName, extension});
  if (saveFileDialogResults.empty()) return std::nullopt;
  std::optional<std::wstring> result = saveFileDialogResults.front();
  saveFileDialogResults.pop_front();
  return result;
}

long FakePlatform::DeleteFileAt(const std::wstring& path) {
  bool cut = false;
  if (long error = FileCall(PlatformCall::FileDelete, cut)) return error;
  if (cut) return PowerCut();
  return disk.erase(path) ? kErrorSuccess : MissingError(path);
}

}  // namespace tavilo
