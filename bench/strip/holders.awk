# The largest holders of a process's anonymous memory, from its
# /proc/<pid>/smaps: each mapped file by name (the pages of it the process
# wrote: relocations, data), the program's own image (given as
# -v images="name:base+size ..." in hex, for images Wine copied into memory
# rather than mapped), the Unix side's heap, the thread stacks, and the rest
# (the Windows heaps, bitmaps' bits). Prints
# "name=kB" pairs, largest first, for the `top` largest (default 6).
#   awk -v images="tavilo.exe:140000000+12f000" -f holders.awk /proc/<pid>/smaps
function hex(text,    i, n, digit) {
  n = 0
  text = tolower(text)
  for (i = 1; i <= length(text); i++) {
    digit = index("0123456789abcdef", substr(text, i, 1)) - 1
    n = n * 16 + digit
  }
  return n
}

BEGIN {
  if (top == "") top = 6
  count = split(images, image, " ")
  for (i = 1; i <= count; i++) {
    split(image[i], part, ":")
    split(part[2], range, "+")
    imageName[i] = part[1]
    imageStart[i] = hex(range[1])
    imageEnd[i] = imageStart[i] + hex(range[2])
  }
}

/^[0-9a-f]+-[0-9a-f]+ / {
  split($1, range, "-")
  start = hex(range[1])
  holder = ""
  if ($6 ~ /^\//) {
    holder = $6
    sub(/.*\//, "", holder)
  } else if ($6 == "[heap]") {
    holder = "Unix heap (X11, FreeType)"
  } else if ($6 ~ /stack/) {
    holder = "stacks"
  }
  for (i = 1; i <= count && holder == ""; i++) {
    if (start >= imageStart[i] && start < imageEnd[i]) holder = imageName[i] " image"
  }
  if (holder == "") holder = "Windows heaps and other anonymous"
  next
}

$1 == "Anonymous:" { kb[holder] += $2 }

END {
  for (shown = 0; shown < top; shown++) {
    best = ""
    for (name in kb) if (best == "" || kb[name] > kb[best]) best = name
    if (best == "" || kb[best] == 0) break
    label = best
    gsub(/ /, "_", label)
    printf "%s%s=%d", shown ? " " : "", label, kb[best]
    delete kb[best]
  }
  print ""
}
