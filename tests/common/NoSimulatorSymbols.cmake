# Fails when a shared object of the production module (outside sim/) defines simulator symbols:
# the module an instrument loads must not carry the desktop simulator.
file(GLOB libraries ${MODULE_DIR}/*.so)
if(NOT libraries)
    message(FATAL_ERROR "no shared objects in ${MODULE_DIR}")
endif()
foreach(library ${libraries})
    execute_process(COMMAND ${NM} -D -C --defined-only ${library} OUTPUT_VARIABLE symbols
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${NM} failed on ${library}")
    endif()
    string(REGEX MATCHALL "[^\n]*(SimBus|SimData)[^\n]*" found "${symbols}")
    if(found)
        message(FATAL_ERROR "${library} defines simulator symbols:\n${found}")
    endif()
endforeach()
message(STATUS "checked: ${libraries}")
