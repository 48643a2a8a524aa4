# Writes the page folder's service worker from its template, with every file of the folder and a
# store named for the version and a hash of the files, so that any changed file makes a new worker.
#   cmake -DFOLDER=page -DTEMPLATE=service-worker.js.in -DVERSION=1.0.0 -P service_worker.cmake
file(GLOB names RELATIVE ${FOLDER} ${FOLDER}/*)
list(REMOVE_ITEM names service-worker.js)
list(SORT names)
set(contents "")
set(FILES "")
foreach(name ${names})
  file(SHA256 ${FOLDER}/${name} file_hash)
  string(APPEND contents "${name} ${file_hash}\n")
  string(APPEND FILES "\n  '${name}',")
endforeach()
string(SHA256 hash "${contents}")
string(SUBSTRING ${hash} 0 16 hash)
set(STORE "mathieu12-${VERSION}-${hash}")
string(APPEND FILES "\n")
configure_file(${TEMPLATE} ${FOLDER}/service-worker.js @ONLY)
