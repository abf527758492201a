# Writes sw.js into the site from sw.js.in: the list of the app's files, and a version made from
# their content, so that a change to any of them reaches the browsers that keep the app offline.
# cmake -DSITE=dir -DFILES="a;b" -DTEMPLATE=sw.js.in -P write_worker.cmake
set(digests "")
set(names "")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND names "'${file}'")
endforeach()
string(SHA256 LV_SITE_VERSION "${digests}")
string(SUBSTRING ${LV_SITE_VERSION} 0 16 LV_SITE_VERSION)
list(JOIN names ", " LV_SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
