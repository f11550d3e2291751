# zr_add_resources(target NAME file [NAME file ...]): links files into target as resources of type
# "DATA". Windows compiles them in with windres; the native build links a generated table that the
# native resource lookup searches.
function(zr_add_resources target)
  set(pairs ${ARGN})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  if(WIN32)
    set(rc "")
    while(pairs)
      list(POP_FRONT pairs name file)
      string(APPEND rc "${name} DATA \"${file}\"\n")
      list(APPEND deps ${file})
    endwhile()
    file(GENERATE OUTPUT ${dir}/resources.rc CONTENT "${rc}")
    set_source_files_properties(${dir}/resources.rc PROPERTIES OBJECT_DEPENDS "${deps}")
    target_sources(${target} PRIVATE ${dir}/resources.rc)
  else()
    set(out ${dir}/resources.cpp)
    while(pairs)
      list(POP_FRONT pairs name file)
      list(APPEND args ${name} ${file})
      list(APPEND deps ${file})
    endwhile()
    add_custom_command(OUTPUT ${out}
      COMMAND zr_bin2table ${out} ${args}
      DEPENDS zr_bin2table ${deps}
      COMMENT "Linking resources into ${target}")
    # The generated table declares its rows with the native layer's header.
    set_source_files_properties(${out} PROPERTIES INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/platform/native)
    target_sources(${target} PRIVATE ${out})
  endif()
endfunction()
