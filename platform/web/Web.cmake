# The browser build (configured with emcmake): the program as WebAssembly in
# build-web/site/ beside its page and rules page. No font engine, no PNG
# decoder and no files: the pictures come from VELMORA_WEBDATA, the source
# velmora-webdata of a native build writes, and the glyphs and largest card
# backs from the files it writes into VELMORA_FETCHED, which the page fetches
# from glyphs/ and pictures/ as a density needs them; the store is the page's
# local storage. build-web/bench/ holds the same page with the paint
# benchmarks that bench/web/run.mjs calls.
set(VELMORA_WEBDATA "" CACHE FILEPATH "The source velmora-webdata wrote")
set(VELMORA_FETCHED "" CACHE PATH "The folder of files velmora-webdata wrote for the page to fetch")
if(NOT EXISTS "${VELMORA_WEBDATA}" OR NOT IS_DIRECTORY "${VELMORA_FETCHED}/glyphs")
  message(FATAL_ERROR "VELMORA_WEBDATA and VELMORA_FETCHED must name what velmora-webdata wrote (see tools/web)")
endif()
# The backend, with its own face, pictures, store, kept game and pages in
# place of platform/native/.
set(VELMORA_WEB_SOURCES platform/web/web.cpp platform/web/fonts_atlas.cpp
                        platform/web/pictures_web.cpp platform/web/store_web.cpp
                        platform/web/kept_web.cpp)
# Every browser the page is for has WebAssembly's vector and bulk-memory
# instructions: the screen's bytes are swizzled four pixels at a time and
# large copies stay inside the module.
add_compile_options(-msimd128 -mbulk-memory)
add_link_options(-msimd128 -mbulk-memory)
add_library(velmora_web OBJECT ${VELMORA_CORE_SOURCES} ${VELMORA_WEB_SOURCES} ${VELMORA_WEBDATA})
target_include_directories(velmora_web PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
# The pictures are long string literals, which clang allows.
set_source_files_properties(${VELMORA_WEBDATA} PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)

# Asyncify lets GetMessageW wait for the browser inside the program's own
# nested loops; the loops go deep, so its stack is generous.
set(page_js ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page.js)
# Functions that never wait, though asyncify would instrument them for an
# indirect call it cannot follow (the new-handler, virtual destructors,
# stdio's write hooks): left plain, drawing and allocation run at full speed.
# VelmoraTakesKey runs while the program waits, so it must not unwind.
set(never_wait ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/asyncify-remove.txt)
set(page_version ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/version.cmake)
function(velmora_page target folder)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME velmora SUFFIX .js
                                             RUNTIME_OUTPUT_DIRECTORY ${folder})
  target_link_libraries(${target} PRIVATE velmora_web)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web -sASYNCIFY -sASYNCIFY_STACK_SIZE=131072 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=0 -sASYNCIFY_REMOVE=@${never_wait} --pre-js ${page_js})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${page_js} ${never_wait})
  configure_file(platform/web/index.html ${folder}/index.html COPYONLY)
  # Copied as configured; unchanged files keep their time and are skipped.
  file(COPY ${VELMORA_FETCHED}/ DESTINATION ${folder})
  configure_file(res/velmora.0409.htm ${folder}/velmora.0409.htm COPYONLY)
  # Dense screens pick the larger ones.
  foreach(size 64 128 256)
    configure_file(res/pictures/icon-101-${size}.png ${folder}/icon-${size}.png COPYONLY)
  endforeach()
  # Browsers ask for /favicon.ico on every page, the rules page's too; a PNG
  # there is taken as it is.
  configure_file(res/pictures/icon-101-32.png ${folder}/favicon.ico COPYONLY)
  # Installing the page: its manifest and the icons it names, drawn for the
  # page alone (res/pictures/page/).
  configure_file(platform/web/manifest.webmanifest ${folder}/manifest.webmanifest COPYONLY)
  foreach(icon 192 512 maskable-512)
    configure_file(res/pictures/page/icon-101-${icon}.png ${folder}/icon-${icon}.png COPYONLY)
  endforeach()
  # The service worker, versioned by the whole site as built: after every
  # build, since any file of it may have changed without the module.
  add_custom_target(${target}_offline ALL
    COMMAND ${CMAKE_COMMAND} -DSITE=${folder} -DTEMPLATE=${CMAKE_CURRENT_SOURCE_DIR}/platform/web/sw.js
            -P ${page_version}
    COMMENT "Versioning the service worker of ${folder}"
    VERBATIM)
  add_dependencies(${target}_offline ${target})
endfunction()

add_executable(velmora_page app/main_web.cpp)
velmora_page(velmora_page ${CMAKE_CURRENT_BINARY_DIR}/site)
add_executable(velmora_page_bench app/main_web.cpp bench/busy_table.cpp bench/web/page_bench.cpp)
velmora_page(velmora_page_bench ${CMAKE_CURRENT_BINARY_DIR}/bench)
