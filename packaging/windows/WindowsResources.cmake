# The Windows resources the programs carry: icons rendered from the SVG
# drawings at build time, a manifest and version information. Included by
# the folders of the programs (cli/, app/) when building for Windows.
include_guard(GLOBAL)
include(ExternalProject)

# The icons are rendered by packaging/RenderIcon.cpp, built for the build
# machine against its own Qt (qt6-svg-dev), as the Linux icons are; the
# Windows Qt has no SVG module. ImageMagick packs the sizes into an .ico.
# Cache entries, seen by every folder (this file is read once).
set(TORVAN_HOST_TOOLS ${CMAKE_BINARY_DIR}/host-tools CACHE INTERNAL "")
set(TORVAN_RENDER_ICON ${TORVAN_HOST_TOOLS}/torvan-render-icon CACHE INTERNAL "")
ExternalProject_Add(torvan_host_tools
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/host-tools
  BINARY_DIR ${TORVAN_HOST_TOOLS}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTORVAN_SOURCE_DIR=${PROJECT_SOURCE_DIR}
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${TORVAN_RENDER_ICON}
  BUILD_ALWAYS OFF)
find_program(TORVAN_IMAGEMAGICK_CONVERT convert REQUIRED)

# torvan_windows_icon(SVG ICO SIZE...): ICO holds SVG rendered at each size.
# Up to 64 px the images are 32-bit bitmaps, at 256 px a PNG, as Windows
# expects them.
function(torvan_windows_icon svg ico)
  get_filename_component(name ${ico} NAME_WE)
  set(pngs)
  set(commands)
  foreach(size IN LISTS ARGN)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icon-pngs/${name}-${size}.png)
    list(APPEND pngs ${png})
    list(APPEND commands COMMAND ${TORVAN_RENDER_ICON} ${svg} ${size} ${png})
  endforeach()
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icon-pngs
    ${commands}
    COMMAND ${TORVAN_IMAGEMAGICK_CONVERT} ${pngs} ${ico}
    DEPENDS ${svg} ${TORVAN_RENDER_ICON} torvan_host_tools
    VERBATIM)
endfunction()

# The program's icon, shared by both programs and the installer.
set(TORVAN_APP_ICO ${CMAKE_BINARY_DIR}/torvan-encoder.ico CACHE INTERNAL "")
torvan_windows_icon(${PROJECT_SOURCE_DIR}/app/icons/app.svg ${TORVAN_APP_ICO} 16 24 32 48 64 256)
add_custom_target(torvan_app_ico DEPENDS ${TORVAN_APP_ICO})

# torvan_windows_resources(TARGET DESCRIPTION): TARGET's .exe gets the icon,
# the manifest and version information naming it DESCRIPTION.
function(torvan_windows_resources target description)
  set(TORVAN_PROGRAM ${target})
  set(TORVAN_DESCRIPTION ${description})
  set(TORVAN_ICON ${TORVAN_APP_ICO})
  set(TORVAN_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(TORVAN_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  set(TORVAN_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest.in ${TORVAN_MANIFEST} @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.rc.in ${rc} @ONLY)
  # windres does not report what it reads; the icon and the manifest are
  # named here so a change rebuilds the resources.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${TORVAN_APP_ICO};${TORVAN_MANIFEST}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} torvan_app_ico)
endfunction()
