# Medians of the raw lines measure.sh writes, and the verdicts on the targets.
#   awk -f summary.awk results.txt

function median(list,   n, values, i, j, t) {
  n = split(list, values, " ")
  for (i = 1; i <= n; i++)
    for (j = i + 1; j <= n; j++)
      if (values[j] + 0 < values[i] + 0) { t = values[i]; values[i] = values[j]; values[j] = t }
  return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
}

function verdict(ok) { return ok ? "met" : "MISSED" }

function ratio(label, numerator, denominator, target) {
  if (numerator <= 0 || denominator <= 0) return
  printf "%-36s %6.2fx", label, numerator / denominator
  if (target) printf "  (target <= %s: %s)", target, verdict(numerator <= target * denominator)
  printf "\n"
}

$1 == "cpu" {
  exe[$2] = exe[$2] " " $4
  server[$2] = server[$2] " " $5
  xvfb[$2] = xvfb[$2] " " $6
  total[$2] = total[$2] " " $7
}
$1 == "startup" { start[$2] = start[$2] " " $4 }
$1 == "memory" {
  for (i = 4; i <= NF; i++) {
    split($i, field, "=")
    memory[$2, field[1]] = memory[$2, field[1]] " " field[2]
  }
}
$1 == "holders" { holders[$2] = substr($0, index($0, $4)) }
$1 == "size" { size[$2] = $3 }
$1 == "month-paint" { monthPaint = $0 }
$1 == "dll" && $3 != "system" { foreign++ }

END {
  split("parked down hello naive", order, " ")
  printf "\n%-14s %9s %9s %9s %9s   (median CPU %% of one core)\n",
         "case", "exe", "server", "Xvfb", "total"
  for (k = 1; k in order; k++) {
    c = order[k]
    if (c in total)
      printf "%-14s %9.3f %9.3f %9.3f %9.3f\n",
             c, median(exe[c]), median(server[c]), median(xvfb[c]), median(total[c])
  }

  print ""
  parked = median(total["parked"])
  idle = median(total["hello"])
  ratio("parked / no-timer window", parked, idle)
  # 0.002 cores is 0.2 % of one core.
  allowed = idle * 2 > idle + 0.2 ? idle * 2 : idle + 0.2
  if (parked > 0 && idle > 0)
    printf "parked %.3f %% against max(2 x no-timer, no-timer + 0.2 %%) = %.3f %%: %s\n",
           parked, allowed, verdict(parked <= allowed)
  ratio("in use / naive counter", median(total["down"]), median(total["naive"]), 0.6)
  ts = median(start["tavilo"])
  th = median(start["hello"])
  if (ts > 0 && th > 0) printf "start-up to first paint: tavilo %.1f ms, hello %.1f ms\n", ts, th
  ratio("start-up tavilo / hello", ts, th, 1.15)

  for (k = 1; k in order; k++) {
    c = order[k]
    if ((c, "VmRSS:") in memory)
      printf "memory %-7s VmRSS %d kB, RssAnon %d kB, private %d kB\n", c,
             median(memory[c, "VmRSS:"]), median(memory[c, "RssAnon:"]),
             median(memory[c, "Private"])
  }
  for (k = 1; k in order; k++) {
    c = order[k]
    if (c in holders) printf "largest holders (kB), %s: %s\n", c, holders[c]
  }
  anonParked = median(memory["parked", "RssAnon:"])
  anonHello = median(memory["hello", "RssAnon:"])
  if (anonParked > 0 && anonHello > 0)
    printf "private memory (RssAnon) parked %d kB against hello + 3 MB = %d kB: %s\n",
           anonParked, anonHello + 3072, verdict(anonParked <= anonHello + 3072)
  printf "tavilo.exe %d bytes (%d stripped)  (target <= 1048576: %s)\n",
         size["tavilo.exe"], size["tavilo.exe-stripped"], verdict(size["tavilo.exe"] <= 1048576)
  if (monthPaint != "") print monthPaint
  printf "imported DLLs: %s\n",
         foreign ? foreign " not from Windows: MISSED" : "all Windows system DLLs: met"
}
