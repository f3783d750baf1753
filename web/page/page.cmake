# The page's folder beside the module (included by web/CMakeLists.txt, Emscripten builds only):
# its files copied; the saver's icon as the favicon and, scaled by ImageMagick, the manifest's
# 192 and 512 pixel icons; a preview picture of the flock for links shared, drawn by the native
# quellwire-render; and the service worker, whose cache is named by a hash of all of these.
set(page_source ${CMAKE_CURRENT_SOURCE_DIR}/page)
set(page_copied index.html page.js manifest.webmanifest)
set(page_copied_paths)
foreach(file ${page_copied})
  configure_file(${page_source}/${file} ${page_dir}/${file} COPYONLY)
  list(APPEND page_copied_paths ${page_dir}/${file})
endforeach()
set(icon ${PROJECT_SOURCE_DIR}/resources/quellwire.ico)
configure_file(${icon} ${page_dir}/favicon.ico COPYONLY)

# The pictures carry no dates, so the same sources give the same bytes (and the same cache).
find_program(QW_CONVERT convert REQUIRED)
set(stable -strip -define png:exclude-chunks=date,time)
set(page_made)
# The small one is a PNG of 64 colours (for every browser, and as the touch icon), the large a
# WebP: the folder stays small.
add_custom_command(OUTPUT ${page_dir}/icon-192.png ${page_dir}/icon-512.webp
  COMMAND ${QW_CONVERT} "${icon}[0]" -filter Mitchell -resize 192x192 ${stable} -colors 64
          PNG8:${page_dir}/icon-192.png
  COMMAND ${QW_CONVERT} "${icon}[0]" -filter Mitchell -resize 512x512 ${stable} -quality 85
          ${page_dir}/icon-512.webp
  DEPENDS ${icon} VERBATIM)
list(APPEND page_made ${page_dir}/icon-192.png ${page_dir}/icon-512.webp)

# quellwire-render is a native program: a native build's (build/native, else build/release), or
# one built here for the purpose when there is none.
set(QW_RENDER_TOOL "" CACHE FILEPATH "A native quellwire-render, which draws the page's preview")
set(render_tool "${QW_RENDER_TOOL}")
foreach(build native release)
  if(NOT render_tool AND EXISTS ${PROJECT_SOURCE_DIR}/build/${build}/tools/quellwire-render)
    set(render_tool ${PROJECT_SOURCE_DIR}/build/${build}/tools/quellwire-render)
  endif()
endforeach()
if(NOT render_tool)
  set(native_dir ${PROJECT_BINARY_DIR}/native-tool)
  set(render_tool ${native_dir}/tools/quellwire-render)
  add_custom_command(OUTPUT ${render_tool}
    COMMAND ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${native_dir} -G Ninja
            -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    COMMAND ${CMAKE_COMMAND} --build ${native_dir} --target quellwire-render
    COMMENT "Building a native quellwire-render for the page's preview" VERBATIM)
endif()
add_custom_command(OUTPUT ${page_dir}/preview.jpg
  COMMAND ${render_tool} --seed 11 --time-ms 9000 --width 600 --height 315 --color 1
          --output ${PROJECT_BINARY_DIR}/preview.png
  COMMAND ${QW_CONVERT} ${PROJECT_BINARY_DIR}/preview.png -quality 80 ${stable}
          ${page_dir}/preview.jpg
  DEPENDS ${render_tool} VERBATIM)
list(APPEND page_made ${page_dir}/preview.jpg)

set(page_cached ${page_copied} favicon.ico icon-192.png icon-512.webp quellwire.js quellwire.wasm)
string(REPLACE ";" "\\;" cached_arg "${page_cached}")
add_custom_command(OUTPUT ${page_dir}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -DPAGE_DIR=${page_dir} -DTEMPLATE=${page_source}/service-worker.js.in
          -DFILES=${cached_arg} -P ${page_source}/service_worker.cmake
  DEPENDS quellwire-web ${page_made} ${page_source}/service-worker.js.in
          ${page_source}/service_worker.cmake
          ${page_copied_paths}
  VERBATIM)
add_custom_target(quellwire-page ALL DEPENDS ${page_dir}/service-worker.js)
