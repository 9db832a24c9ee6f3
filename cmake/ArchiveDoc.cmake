# Writes a document of the source tree as a release archive holds it:
#
#   cmake -DSOURCE_DIR=<dir> -DINPUT=<file in SOURCE_DIR> -DOUTPUT=<file> -DARCHIVE=<map>
#         [-DCRLF=ON] [-DGROFF=<groff>] -P ArchiveDoc.cmake
#
# ARCHIVE maps each file of the source tree that the archive holds to its place there,
# "README.md=README.txt,docs/usage.md=docs/usage.txt,...", INPUT among them. The source
# tree's documents link each other by their places in the repository; a player has only
# the archive, so every relative link is made to point at the archive's place of its file.
# A link to a file the archive lacks (the developer docs) keeps its words and names the file
# in the source, and an entry of a list that leads with such a link is left out: it would
# only send the player elsewhere. With GROFF, INPUT is a manual page, rendered to plain text
# for a platform without man. With CRLF, every line ends in CR LF, and a text beyond ASCII
# starts with a byte order mark, as Windows' own editors read it.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "," ";" entries "${ARCHIVE}")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^([^=]+)=(.+)$" pair "${entry}")
  set("place_${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
endforeach()
set(self "${place_${INPUT}}")
if(self STREQUAL "")
  message(FATAL_ERROR "${INPUT} has no place in the archive: ${ARCHIVE}")
endif()
get_filename_component(self_dir "/archive/${self}" DIRECTORY)
get_filename_component(input_dir "./${INPUT}" DIRECTORY)

if(GROFF)
  execute_process(COMMAND "${GROFF}" -man -Tascii -P-cbou "${SOURCE_DIR}/${INPUT}"
    OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "groff could not render ${INPUT}: ${errors}")
  endif()
else()
  file(READ "${SOURCE_DIR}/${INPUT}" text)
endif()

# Links and pictures, [words](target) and ![words](target), in the order they stand.
set(out "")
set(rest "${text}")
while(TRUE)
  string(REGEX MATCH "(!?)\\[([^]]*)\\]\\(([^) ]*)\\)" link "${rest}")
  if(link STREQUAL "")
    break()
  endif()
  set(image "${CMAKE_MATCH_1}")
  set(words "${CMAKE_MATCH_2}")
  set(target "${CMAKE_MATCH_3}")
  string(FIND "${rest}" "${link}" at)
  string(SUBSTRING "${rest}" 0 ${at} before)
  string(LENGTH "${link}" length)
  math(EXPR after "${at} + ${length}")
  string(SUBSTRING "${rest}" ${after} -1 rest)
  string(APPEND out "${before}")

  # Web addresses and links within the document stay as they are.
  if(target MATCHES "^[A-Za-z][A-Za-z0-9+.-]*:" OR target MATCHES "^#")
    string(APPEND out "${link}")
    continue()
  endif()
  string(REGEX MATCH "^([^#]*)(#.*)?$" parts "${target}")
  set(path "${CMAKE_MATCH_1}")
  set(fragment "${CMAKE_MATCH_2}")
  cmake_path(SET source NORMALIZE "${input_dir}/${path}")
  set(place "${place_${source}}")
  if(NOT place STREQUAL "")
    file(RELATIVE_PATH new_target "${self_dir}" "/archive/${place}")
    # A section's name means something only in a Markdown reader.
    if(place MATCHES "\\.md$")
      string(APPEND new_target "${fragment}")
    endif()
    if(words STREQUAL "`${path}`")
      set(words "`${new_target}`")
    endif()
    string(APPEND out "${image}[${words}](${new_target})")
  elseif(out MATCHES "(^|\n)- $")
    string(REGEX REPLACE "- $" "" out "${out}")
    string(REGEX MATCH "^[^\n]*(\n  [^\n]*)*\n?" item_rest "${rest}")
    string(LENGTH "${item_rest}" length)
    string(SUBSTRING "${rest}" ${length} -1 rest)
  else()
    string(APPEND out "${words}, `${source}` in Tavorel's source")
  endif()
endwhile()
string(APPEND out "${rest}")

if(CRLF)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\n" "\r\n" out "${out}")
  # Notepad before Windows 10 reads UTF-8 as such only after a byte order mark.
  string(REGEX MATCH "[^\t\r\n -~]" beyond_ascii "${out}")
  if(NOT beyond_ascii STREQUAL "")
    string(ASCII 239 187 191 byte_order_mark)
    string(PREPEND out "${byte_order_mark}")
  endif()
endif()
file(WRITE "${OUTPUT}" "${out}")
