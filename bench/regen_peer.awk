# The paint-area coefficient generator's rules in plain awk: the peer that the generator is
# measured against. Reads a catalogue of one record to a line, ASCII only (awk works on bytes),
# and writes the regenerated catalogue with CR LF to standard output; the summary goes to
# standard error. Usage: awk -f regen_peer.awk JISTEELW.CSV > JISTEELW.new
BEGIN {
    FS = ","
    BLANKS = "                     "
    ZEROS = "000000000000000000000000000000"
    copyUntil = 8
    inGroup = 0
}

{ sub(/\r$/, "") }

NR <= 7 { printf "%s\r\n", $0; next }
NR == 8 { printf "%s\r\n", $0; copyUntil = 8 + roundHalfEven(leading($0)); next }
NR <= copyUntil { printf "%s\r\n", $0; next }
/^[ \t]*$/ { next }

!inGroup {
    shape = roundHalfEven(text($3) + 0)
    printf "\"%s\",%d,%d\r\n", text($1), roundHalfEven(text($2) + 0), shape
    groups++
    inGroup = 1
    next
}

{
    d = text($1)
    if (d == "/*") { printf "/*\r\n"; inGroup = 0; next }
    w = text($3) + 0
    k = text($4) + 0
    members++
    if (shape >= 1 && shape <= 5) {
        if (shape == 1) { split4(d, 4); k = ((2 * D[1] + 4 * D[2] + 4 * D[3] - 6 * D[4]) / 1000) / divisor(w, d) }
        else if (shape == 2) { split4(d, 3); k = ((2 * D[1] + 4 * D[2] - 2 * D[3]) / 1000) / divisor(w, d) }
        else if (shape == 3) { split4(d, 2); k = ((2 * (D[1] + D[2])) / 1000) / divisor(w, d) }
        else if (shape == 4) { split4(d, 1); k = ((D[1] / 1000) * 3.141592) / divisor(w, d) }
        else { split4(d, 0); k = 2 / divisor(w, d) }
        if (k - k != 0) fail(" DATA ERROR: " d " result is no finite number")
    }
    printf "\"%s\",\"%s\",%12s,%12s\r\n", substr(d BLANKS, 1, 21), text($2), fixed(w, 4), fixed(k, 2)
}

END {
    if (!failed)
        printf "グループ数= %d, 総部材数= %d\n", groups, members > "/dev/stderr"
}

function fail(message) {
    print message > "/dev/stderr"
    failed = 1
    exit 2
}

function divisor(weight, designation) {
    if (weight == 0) fail(" DATA ERROR: " designation " weight 0")
    return weight / 1000
}

# A field: leading blanks skipped, quotes removed, an unquoted field without trailing blanks.
function text(field) {
    sub(/^[ \t]+/, "", field)
    if (substr(field, 1, 1) == "\"") {
        field = substr(field, 2)
        return substr(field, 1, index(field "\"", "\"") - 1)
    }
    sub(/ +$/, "", field)
    return field
}

# The number at the start of s: blanks anywhere skipped, sign, digits and one point.
function leading(s) {
    gsub(/[ \t\n]/, "", s)
    if (match(s, /^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)/))
        return substr(s, 1, RLENGTH) + 0
    return 0
}

function roundHalfEven(x,    f) {
    f = int(x)
    if (x - f == 0.5 || f - x == 0.5)
        return (f % 2 == 0) ? f : f + (x > 0 ? 1 : -1)
    return (x < 0) ? int(x - 0.5) : int(x + 0.5)
}

# The first `count` dimensions of designation d into D[1..count].
function split4(d, count,    i, s, p, j) {
    i = match(d, /[.0-9]/)
    if (!i) fail(" DATA ERROR: サイズを示す数字が不足です。")
    s = substr(d, i)
    if (count == 0) return
    if (count == 1) { D[1] = leading(s); return }
    p = index(s, "x")
    if (!p) fail(" DATA ERROR: データ区切り <x> がありません。")
    D[1] = leading(s)
    s = substr(s, p + 1)
    for (j = 2; j < count; j++) {
        p = index(s, "x")
        if (!p) fail(" DATA ERROR: データ区切り <x> がありません。")
        D[j] = leading(substr(s, 1, p - 1))
        s = substr(s, p + 1)
    }
    D[count] = leading(s)
}

# x with `decimals` decimals, rounded half away from zero on its 15 significant digits.
function fixed(x, decimals,    negative, s, digits, exponent, kept, units, i, c) {
    negative = x < 0
    if (negative) x = -x
    s = sprintf("%.14e", x)
    digits = substr(s, 1, 1) substr(s, 3, 14)
    exponent = substr(s, 18) + 0
    kept = exponent + 1 + decimals
    if (kept >= 15) {
        units = digits substr(ZEROS, 1, kept - 15)
    } else if (kept < 0) {
        units = ""
    } else {
        units = substr(digits, 1, kept)
        if (substr(digits, kept + 1, 1) >= "5") {
            for (i = kept; i >= 1 && substr(units, i, 1) == "9"; i--)
                units = substr(units, 1, i - 1) "0" substr(units, i + 1)
            if (i >= 1)
                units = substr(units, 1, i - 1) (substr(units, i, 1) + 1) substr(units, i + 1)
            else
                units = "1" units
        }
    }
    sub(/^0+/, "", units)
    if (units == "") negative = 0
    while (length(units) < decimals + 1) units = "0" units
    c = length(units) - decimals
    return (negative ? "-" : "") substr(units, 1, c) (decimals > 0 ? "." substr(units, c + 1) : "")
}
