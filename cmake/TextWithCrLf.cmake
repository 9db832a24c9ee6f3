# Writes the text file INPUT to OUTPUT with every line ending in CR LF, as Windows' own
# editors show it: cmake -DINPUT=<file> -DOUTPUT=<file> -P TextWithCrLf.cmake
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
