# Writes the page's service worker from its template, its cache named by a hash of the page's
# files, which it lists. Usage: cmake -DPAGE_DIR=<folder> -DTEMPLATE=<service-worker.js.in>
#   -DFILES=<a;b;...> -P service_worker.cmake
set(listing "")
set(PAGE_FILES "'./'")
foreach(file IN LISTS FILES)
  file(SHA256 "${PAGE_DIR}/${file}" hash)
  string(APPEND listing "${file} ${hash}\n")
  string(APPEND PAGE_FILES ", '${file}'")
endforeach()
string(SHA256 PAGE_HASH "${listing}")
string(SUBSTRING "${PAGE_HASH}" 0 16 PAGE_HASH)
configure_file("${TEMPLATE}" "${PAGE_DIR}/service-worker.js" @ONLY)
