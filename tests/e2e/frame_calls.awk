# Reads a +loaddll,+relay,+d3d9 trace of quenzibar.exe and checks each pass of
# its main loop, from the 20th frame on (start-up is over) to the last frame:
#   a frame:   PeekMessageA -> 0, Clear, BeginScene, EndScene, Present
#   a message: PeekMessageA -> 1, TranslateMessage, DispatchMessageA, then only
#              what the window procedure calls, and no Direct3D call
# Only calls made from the program's own image count (relay "ret=" inside it).
# Variable: size, the image's SizeOfImage (hex).

function hex(s,   i, n, c) {
    n = 0
    s = tolower(s)
    sub(/^0x/, "", s)
    for (i = 1; i <= length(s); i++) {
        c = index("0123456789abcdef", substr(s, i, 1))
        n = n * 16 + c - 1
    }
    return n
}
function ours(line,   r) {
    if (!match(line, /ret=[0-9a-fA-F]+/)) return 0
    r = hex(substr(line, RSTART + 4, RLENGTH - 4))
    return r >= base && r < base + hex(size)
}
function add(token) { pass[++n] = token }
function finish(   i, text, frame) {
    if (!n) return
    text = pass[1]
    for (i = 2; i <= n; i++) text = text " " pass[i]
    frame = pass[1] == "PeekMessageA=0"
    if (frame) frames++
    if (frames > 20 && frame) {
        checked++
        if (text != "PeekMessageA=0 Clear BeginScene EndScene Present") { print "frame: " text; bad++ }
    } else if (frames > 20 && !frame) {
        if (text !~ /^PeekMessageA=1 TranslateMessage DispatchMessageA/ || text ~ /Clear|Scene|Present/) {
            print "message: " text
            bad++
        }
    }
    n = 0
}

{ sub(/\r$/, "") }
/trace:loaddll:.*quenzibar\.exe" at / { match($0, /at [0-9A-Fa-f]+/); base = hex(substr($0, RSTART + 3, RLENGTH - 3)) }
/:Call user32\.PeekMessageA\(/ && ours($0) { finish(); thread = substr($0, 1, 5); next }
substr($0, 1, 5) != thread { next }
/:Ret  user32\.PeekMessageA\(\)/ && ours($0) { add($0 ~ /retval=00000000/ ? "PeekMessageA=0" : "PeekMessageA=1"); next }
/:Call [A-Za-z0-9_]+\.[A-Za-z0-9_]+\(/ && ours($0) { match($0, /Call [A-Za-z0-9_]+\.[A-Za-z0-9_]+/); s = substr($0, RSTART + 5, RLENGTH - 5); sub(/^[A-Za-z0-9_]+\./, "", s); add(s); next }
/:trace:d3d9:d3d9_device_[A-Za-z]+/ { match($0, /d3d9_device_[A-Za-z]+/); add(substr($0, RSTART + 12, RLENGTH - 12)) }

END {
    # The last pass may be cut short by the end of the program: leave it out.
    printf "%d frames checked after start-up, %d passes not as expected\n", checked, bad
    exit !(checked >= 50 && !bad)
}
