# SPDX-License-Identifier: GPL-3.0-or-later
# km905_qtcore_only: Qt Core for the core library, with an include root that holds QtCore and
# nothing else, so that a Widgets, Gui or SerialPort include in the core fails to compile.
# (Qt's own include root holds every module side by side.)
get_target_property(_qt_core_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
set(_only "${CMAKE_BINARY_DIR}/qtcore-only")
set(_kept "${_only}")
foreach(_dir IN LISTS _qt_core_dirs)
  if(EXISTS "${_dir}/QtCore" AND IS_DIRECTORY "${_dir}/QtCore")
    file(MAKE_DIRECTORY "${_only}")
    if(NOT EXISTS "${_only}/QtCore")
      file(CREATE_LINK "${_dir}/QtCore" "${_only}/QtCore" SYMBOLIC COPY_ON_ERROR)
    endif()
  else()
    list(APPEND _kept "${_dir}")
  endif()
endforeach()
add_library(km905_qtcore_only INTERFACE)
target_include_directories(km905_qtcore_only SYSTEM INTERFACE ${_kept})
target_compile_definitions(km905_qtcore_only INTERFACE
  $<TARGET_PROPERTY:Qt6::Core,INTERFACE_COMPILE_DEFINITIONS>)
target_compile_options(km905_qtcore_only INTERFACE
  $<TARGET_PROPERTY:Qt6::Core,INTERFACE_COMPILE_OPTIONS>)
target_compile_features(km905_qtcore_only INTERFACE cxx_std_17)
target_link_libraries(km905_qtcore_only INTERFACE $<LINK_ONLY:Qt6::Core>)
