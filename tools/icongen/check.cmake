# Regenerates the icons into OUT and fails when any differs from its committed copy.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "icongen failed (${rc})")
endif()
file(GLOB generated RELATIVE ${OUT} ${OUT}/*.ico)
if(NOT generated)
    message(FATAL_ERROR "icongen wrote no icons")
endif()
foreach(name IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${COMMITTED}/${name}
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${name} differs from its generated form: run "
            "tools/icongen/icongen.py src/res and commit the result")
    endif()
endforeach()
message(STATUS "${generated} match")
