# The generated pictures: the native build runs the art generator as one of its own targets; a
# cross build first builds it for the host (assets/ configured on its own) and runs it there.
# Either way the target qorm_art leaves every picture in QORM_ART_DIR.
include(${CMAKE_SOURCE_DIR}/assets/pictures.cmake)
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(QORM_ART_DIR ${CMAKE_BINARY_DIR}/assets-host/pictures)
  list(TRANSFORM QORM_PICTURE_FILES PREPEND ${QORM_ART_DIR}/ OUTPUT_VARIABLE art_outputs)
  ExternalProject_Add(qorm_art
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/assets
    BINARY_DIR ${CMAKE_BINARY_DIR}/assets-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DQORM_ART_DIR=${QORM_ART_DIR}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${art_outputs} ${QORM_ART_DIR}/${QORM_ICON_FILE})
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/assets ${CMAKE_BINARY_DIR}/assets)
endif()

# qorm_add_picture_resources(target [NAME file ...]): links every generated picture, and the given
# NAME file pairs, into target as resources of type "DATA" (one call per target); on Windows the
# target also gets the host's window icon as the icon resource "icon".
function(qorm_add_picture_resources target)
  set(pairs ${ARGN})
  foreach(file IN LISTS QORM_PICTURE_FILES)
    get_filename_component(name ${file} NAME_WE)
    if(WIN32)
      # windres reads upper-case ALT as a keyword; it stores names in upper case whatever they are
      # written in, and the lookup ignores case anyway.
      string(TOLOWER ${name} name)
    endif()
    list(APPEND pairs ${name} ${QORM_ART_DIR}/${file})
  endforeach()
  zr_add_resources(${target} ${pairs})
  add_dependencies(${target} qorm_art)
  if(WIN32)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/icon.rc)
    file(GENERATE OUTPUT ${rc} CONTENT "icon ICON \"${QORM_ART_DIR}/${QORM_ICON_FILE}\"\n")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${QORM_ART_DIR}/${QORM_ICON_FILE})
    target_sources(${target} PRIVATE ${rc})
  endif()
endfunction()
