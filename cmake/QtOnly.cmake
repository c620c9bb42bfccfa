# SPDX-License-Identifier: GPL-3.0-or-later
# km905_qt_only(TARGET MODULE...): an interface library for the first Qt module, with an
# include root that holds the named modules' folders and nothing else, so that an include of
# any other module fails to compile. (Qt's own include root holds every module side by side.)
function(km905_qt_only target first)
  set(modules ${first} ${ARGN})
  get_target_property(dirs Qt6::${first} INTERFACE_INCLUDE_DIRECTORIES)
  set(only "${CMAKE_BINARY_DIR}/${target}")
  set(kept "${only}")
  foreach(dir IN LISTS dirs)
    if(EXISTS "${dir}/Qt${first}" AND IS_DIRECTORY "${dir}/Qt${first}")
      file(MAKE_DIRECTORY "${only}")
      foreach(module IN LISTS modules)
        if(NOT EXISTS "${only}/Qt${module}")
          file(CREATE_LINK "${dir}/Qt${module}" "${only}/Qt${module}" SYMBOLIC COPY_ON_ERROR)
        endif()
      endforeach()
    else()
      list(APPEND kept "${dir}")
    endif()
  endforeach()
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${kept})
  target_compile_definitions(${target} INTERFACE
    $<TARGET_PROPERTY:Qt6::${first},INTERFACE_COMPILE_DEFINITIONS>)
  target_compile_options(${target} INTERFACE
    $<TARGET_PROPERTY:Qt6::${first},INTERFACE_COMPILE_OPTIONS>)
  target_link_libraries(${target} INTERFACE $<LINK_ONLY:Qt6::${first}>)
endfunction()
