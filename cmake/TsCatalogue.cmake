# cmake -DTS=file.ts -DCONTEXT=name -DOUT=file.inc -P TsCatalogue.cmake
# Writes the messages of one context of a Qt Linguist catalogue as C++ table
# rows {"source", "translation"}, so that programs without Qt read the same
# catalogue the Qt front end loads.

# The C++ string literal of an XML text of the catalogue.
function(ts_literal out text)
  string(REPLACE "@SEMICOLON@" ";" text "${text}")
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

file(READ "${TS}" ts)
set(rows "// Generated from ${TS} (context ${CONTEXT}); do not edit.\n")
# CMake lists split at ";": keep the texts' own semicolons out of the way,
# then cut the file into contexts and messages by hand.
string(REPLACE ";" "@SEMICOLON@" ts "${ts}")
string(REPLACE "</context>" "</context>;" pieces "${ts}")
foreach(piece IN LISTS pieces)
  if(NOT piece MATCHES "<name>${CONTEXT}</name>")
    continue()
  endif()
  string(REPLACE "</message>" "</message>;" messages "${piece}")
  foreach(message IN LISTS messages)
    if(NOT message MATCHES "<source>([^<]*)</source>[ \t\r\n]*<translation>([^<]*)</translation>")
      continue()
    endif()
    set(translation "${CMAKE_MATCH_2}")
    ts_literal(source "${CMAKE_MATCH_1}")
    ts_literal(translation "${translation}")
    string(APPEND rows "{${source}, ${translation}},\n")
  endforeach()
endforeach()
file(WRITE "${OUT}.tmp" "${rows}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
