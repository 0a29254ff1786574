# Runs qmlplugindump for one module and fails the build when it fails.
set(ENV{QT_QPA_PLATFORM} offscreen)
# Whatever the tool needs to load the module (in a sanitizer tree: the preloaded runtime).
foreach(assignment ${TOOL_ENV})
    string(REGEX MATCH "^([^=]+)=(.*)$" _ "${assignment}")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
endforeach()
execute_process(COMMAND ${DUMPER} -nonrelocatable -noforceqtquick ${URI} 1.0 ${IMPORT_DIR}
                OUTPUT_FILE ${OUTPUT}.tmp ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    file(REMOVE ${OUTPUT}.tmp)
    message(FATAL_ERROR "qmlplugindump ${URI} failed (${rc}):\n${err}")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
