# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows programs' icon (drawn from the one SVG, packed by icoutils' icotool), version
# resource and manifest (per-monitor DPI awareness, common controls 6).
find_program(KM905_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KM905_ICOTOOL icotool REQUIRED)
set(_svg ${PROJECT_SOURCE_DIR}/res/linux/${KM905_APP_ID}.svg)
set(_icodir ${CMAKE_BINARY_DIR}/winicon)
set(KM905_ICO ${_icodir}/km905.ico)
set(_pngs)
foreach(size 16 24 32 48 64 256)
  list(APPEND _pngs ${_icodir}/${size}.png)
endforeach()
# 256 pixels goes in as PNG, the way Windows expects its largest size.
add_custom_command(OUTPUT ${KM905_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_icodir}
  COMMAND ${KM905_RSVG_CONVERT} -w 16 -h 16 -o ${_icodir}/16.png ${_svg}
  COMMAND ${KM905_RSVG_CONVERT} -w 24 -h 24 -o ${_icodir}/24.png ${_svg}
  COMMAND ${KM905_RSVG_CONVERT} -w 32 -h 32 -o ${_icodir}/32.png ${_svg}
  COMMAND ${KM905_RSVG_CONVERT} -w 48 -h 48 -o ${_icodir}/48.png ${_svg}
  COMMAND ${KM905_RSVG_CONVERT} -w 64 -h 64 -o ${_icodir}/64.png ${_svg}
  COMMAND ${KM905_RSVG_CONVERT} -w 256 -h 256 -o ${_icodir}/256.png ${_svg}
  COMMAND ${KM905_ICOTOOL} -c -o ${KM905_ICO} ${_icodir}/16.png ${_icodir}/24.png
    ${_icodir}/32.png ${_icodir}/48.png ${_icodir}/64.png -r ${_icodir}/256.png
  DEPENDS ${_svg}
  COMMENT "Windows icon" VERBATIM)
add_custom_target(km905_winicon DEPENDS ${KM905_ICO})

string(REPLACE "." "," KM905_VERSION_COMMAS "${PROJECT_VERSION},0")
set(KM905_VERSION_QUAD "${PROJECT_VERSION}.0")
set(KM905_MANIFEST ${CMAKE_BINARY_DIR}/km905.manifest)
configure_file(${PROJECT_SOURCE_DIR}/res/windows/km905.manifest ${KM905_MANIFEST} @ONLY)

# km905_windows_resources(TARGET DESCRIPTION): the icon, version and manifest into TARGET.
function(km905_windows_resources target description)
  set(KM905_EXE ${target})
  set(KM905_DESCRIPTION "${description}")
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/res/windows/km905.rc.in ${_rc} @ONLY)
  set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS "${KM905_ICO};${KM905_MANIFEST}")
  target_sources(${target} PRIVATE ${_rc})
  add_dependencies(${target} km905_winicon)
endfunction()

# Every program and test lands in bin/ beside the Qt and MinGW runtime DLLs and the plugins
# Qt loads from the program's folder, so each runs as it is, under Wine or on Windows.
set(KM905_WIN_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${KM905_WIN_BIN})
foreach(config RELEASE RELWITHDEBINFO NOCONFIG DEBUG)
  get_target_property(_qtcore Qt6::Core IMPORTED_LOCATION_${config})
  if(_qtcore)
    break()
  endif()
endforeach()
get_filename_component(_qtbin ${_qtcore} DIRECTORY)
get_filename_component(KM905_QT_PREFIX ${_qtbin} DIRECTORY)
set(_dlls)
foreach(module Core Gui Widgets PrintSupport)
  list(APPEND _dlls ${_qtbin}/Qt6${module}.dll)
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
    message(FATAL_ERROR "MinGW runtime ${dll} not found")
  endif()
  list(APPEND _dlls ${_path})
endforeach()
file(COPY ${_dlls} DESTINATION ${KM905_WIN_BIN})
foreach(kind platforms styles printsupport imageformats)
  if(IS_DIRECTORY ${KM905_QT_PREFIX}/plugins/${kind})
    file(COPY ${KM905_QT_PREFIX}/plugins/${kind} DESTINATION ${KM905_WIN_BIN}
      FILES_MATCHING PATTERN "*.dll")
  endif()
endforeach()
