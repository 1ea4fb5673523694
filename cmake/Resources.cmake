# Compiles resources/QuibMesh.rc with windres. A native module ships the compiled
# resource file (RES format) beside it, named after the module with ".res".
find_program(QUIB_WINDRES NAMES i686-w64-mingw32-windres windres REQUIRED)

function(quib_add_module_resources target)
  set(rc ${CMAKE_SOURCE_DIR}/resources/QuibMesh.rc)
  set(res ${CMAKE_BINARY_DIR}/QuibMesh.res)
  file(GLOB rc_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${QUIB_WINDRES} --input-format=rc --output-format=res
            -I ${CMAKE_SOURCE_DIR}/resources -c 65001 -i ${rc} -o ${res}
    DEPENDS ${rc_inputs}
    COMMENT "Compiling module resources"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS ${res})
  add_dependencies(${target} ${target}_resources)
  set_target_properties(${target} PROPERTIES QUIB_RESOURCE_FILE ${res})
endfunction()
