# Writes SITE/sw.js from TEMPLATE (platform/web/sw.js) with the site's
# version, the first 16 digits of a SHA-256 of the name and SHA-256 of every
# other file in SITE, and the list of those files for the worker to keep at
# once. The glyph and picture files are kept as the page fetches them: each
# density needs a few of hundreds.
# Web.cmake runs it after every build, once the module is linked.
# Run as: cmake -DSITE=... -DTEMPLATE=... -P version.cmake
get_filename_component(SITE "${SITE}" ABSOLUTE)
file(GLOB_RECURSE names RELATIVE "${SITE}" "${SITE}/*")
if(NOT names)
  message(FATAL_ERROR "${SITE}: no site there")
endif()
list(REMOVE_ITEM names sw.js)
list(SORT names)
set(sums "")
# The page as the browser asks for it, besides as index.html.
set(VELMORA_FILES "'./'")
foreach(name IN LISTS names)
  file(SHA256 "${SITE}/${name}" sum)
  string(APPEND sums "${name} ${sum}\n")
  if(NOT name MATCHES "^(glyphs|pictures)/")
    string(APPEND VELMORA_FILES ", '${name}'")
  endif()
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING "${version}" 0 16 VELMORA_VERSION)
# Rewritten only when it changes, so an unchanged site keeps its worker.
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
