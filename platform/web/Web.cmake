# The browser build (configured with emcmake): the program as WebAssembly in
# build-web/site/ beside its page and rules page. No font engine, no PNG
# decoder and no files: the pictures and glyphs come from VELMORA_WEBDATA,
# the source velmora-webdata of a native build writes; the store is the
# page's local storage.
set(VELMORA_WEBDATA "" CACHE FILEPATH "The source velmora-webdata wrote")
if(NOT EXISTS "${VELMORA_WEBDATA}")
  message(FATAL_ERROR "VELMORA_WEBDATA must name the file velmora-webdata wrote (see tools/web)")
endif()
list(FILTER VELMORA_CORE_SOURCES EXCLUDE REGEX "/platform/(fonts|png|store_file|spawn)\\.cpp$")
file(GLOB VELMORA_WEB_SOURCES CONFIGURE_DEPENDS platform/web/*.cpp)
add_executable(velmora ${VELMORA_CORE_SOURCES} ${VELMORA_WEB_SOURCES} ${VELMORA_WEBDATA})
target_include_directories(velmora PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
set(site ${CMAKE_CURRENT_BINARY_DIR}/site)
set_target_properties(velmora PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${site})
# Asyncify lets GetMessageW wait for the browser inside the program's own
# nested loops; the loops go deep, so its stack is generous.
target_link_options(velmora PRIVATE
  -sENVIRONMENT=web -sASYNCIFY -sASYNCIFY_STACK_SIZE=131072 -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=0 -sEXPORTED_RUNTIME_METHODS=[] --pre-js ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page.js)
set_property(TARGET velmora APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page.js)
configure_file(platform/web/index.html ${site}/index.html COPYONLY)
configure_file(res/velmora.0409.htm ${site}/velmora.0409.htm COPYONLY)
# The pictures and the atlas are long string literals, which clang allows.
set_source_files_properties(${VELMORA_WEBDATA} PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)
