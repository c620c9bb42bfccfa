# SPDX-License-Identifier: GPL-3.0-or-later
# km905_qtgui_only: Qt Gui for the report painter, with an include root that holds QtCore and
# QtGui and nothing else, so that a Widgets include there fails to compile.
get_target_property(_qt_gui_dirs Qt6::Gui INTERFACE_INCLUDE_DIRECTORIES)
set(_gui_only "${CMAKE_BINARY_DIR}/qtgui-only")
set(_gui_kept "${_gui_only}")
foreach(_dir IN LISTS _qt_gui_dirs)
  if(EXISTS "${_dir}/QtGui" AND IS_DIRECTORY "${_dir}/QtGui")
    file(MAKE_DIRECTORY "${_gui_only}")
    foreach(_module QtCore QtGui)
      if(NOT EXISTS "${_gui_only}/${_module}")
        file(CREATE_LINK "${_dir}/${_module}" "${_gui_only}/${_module}" SYMBOLIC COPY_ON_ERROR)
      endif()
    endforeach()
  else()
    list(APPEND _gui_kept "${_dir}")
  endif()
endforeach()
add_library(km905_qtgui_only INTERFACE)
target_include_directories(km905_qtgui_only SYSTEM INTERFACE ${_gui_kept})
target_compile_definitions(km905_qtgui_only INTERFACE
  $<TARGET_PROPERTY:Qt6::Gui,INTERFACE_COMPILE_DEFINITIONS>)
target_link_libraries(km905_qtgui_only INTERFACE $<LINK_ONLY:Qt6::Gui>)
