# Writes dom_constants.js from dom.h: the numbers the program and the page share, written once in
# the header's enums and read by the page as LV_C (lv_event_key is LV_C.event_key).
# cmake -DHEADER=dom.h -DOUTPUT=dom_constants.js -P write_constants.cmake
file(STRINGS ${HEADER} lines REGEX "^ *(enum .*)?lv_[a-z_]+ = [0-9]+")
set(entries "")
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "lv_[a-z_]+ = [0-9]+" pairs "${line}")
  foreach(pair IN LISTS pairs)
    string(REGEX REPLACE "^lv_([a-z_]+) = ([0-9]+)$" "    \\1: \\2,\n" entry "${pair}")
    string(APPEND entries "${entry}")
  endforeach()
endforeach()
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "// Written by the build from dom.h: do not edit.
mergeInto(LibraryManager.library, {
  $LV_C: {
${entries}  },
});
")
