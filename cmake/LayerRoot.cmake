# SPDX-License-Identifier: GPL-3.0-or-later
# km905_layer_root(TARGET LAYER): the include root TARGET gives to itself and its users holds
# one folder, LAYER, linked to src/LAYER. Includes name their layer ("core/logger/X.h"), and a
# library sees only the layers it links: the core cannot reach "ui/..." at all.
function(km905_layer_root target layer)
  set(root "${PROJECT_BINARY_DIR}/layer-roots/${layer}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${layer}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${layer}" "${root}/${layer}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
