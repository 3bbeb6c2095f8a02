# Writes the service worker into the site: the site's files, and a version made of their
# contents, so that a build that changes any file replaces the copy kept offline.
# cmake -DSITE=<folder> "-DFILES=<name;name...>" -DTEMPLATE=<offline.js.in> -P offline.cmake
set(files ${FILES})
list(SORT files)
set(contents "")
foreach(file IN LISTS files)
    file(MD5 ${SITE}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
endforeach()
string(SHA256 SITE_VERSION "${contents}")
string(SUBSTRING ${SITE_VERSION} 0 16 SITE_VERSION)
list(TRANSFORM files PREPEND "'")
list(TRANSFORM files APPEND "'")
list(JOIN files ", " SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/offline.js @ONLY)
