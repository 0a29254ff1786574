# Helpers shared by every folder of the project.

# Environment of every test: no display needed, software rendering for windows.
set(COMMON_TEST_ENV QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software LC_ALL=C.UTF-8
    QT_LOGGING_RULES=qt.qpa.*=false)

find_program(COMMON_QMLTESTRUNNER qmltestrunner
             HINTS /usr/lib/qt5/bin ${_qt5_install_prefix}/../../../bin)

# common_add_qtest(NAME <name> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>])
# A Qt Test executable registered with CTest.
function(common_add_qtest)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        COMMON_QML_IMPORT_DIR="${COMMON_QML_DIR}"
        COMMON_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${COMMON_TEST_ENV};${T_ENV}"
                         TIMEOUT 300)
endfunction()

# common_add_qmltest(NAME <name> FILE <tst_x.qml> [ENV <VAR=value...>])
# A Qt Quick Test file run by qmltestrunner; the module is imported from the build tree
# exactly as an application imports it. COMMON_TOOL_ENV is the environment Qt's uninstrumented
# tools need to load an instrumented module (empty in a normal tree).
# qmltestrunner is a program of the build machine and cannot load a plugin built for another
# one: a cross build runs the files with the same runner built for the target, through
# CMAKE_CROSSCOMPILING_EMULATOR like every test executable.
function(common_add_qmltest)
    cmake_parse_arguments(T "" "NAME;FILE" "ENV" ${ARGN})
    set(runner ${COMMON_QMLTESTRUNNER})
    if(CMAKE_CROSSCOMPILING)
        if(NOT TARGET common_qmltestrunner)
            add_executable(common_qmltestrunner ${PROJECT_SOURCE_DIR}/tests/quicktestmain.cpp)
            target_link_libraries(common_qmltestrunner PRIVATE Qt5::QuickTest)
            set_target_properties(common_qmltestrunner PROPERTIES
                                  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        endif()
        set(runner common_qmltestrunner)
    endif()
    add_test(NAME ${T_NAME}
             COMMAND ${runner} -import ${COMMON_QML_DIR}
                     -input ${CMAKE_CURRENT_SOURCE_DIR}/${T_FILE})
    set_tests_properties(${T_NAME} PROPERTIES
                         ENVIRONMENT "${COMMON_TEST_ENV};${COMMON_TOOL_ENV};${T_ENV}"
                         TIMEOUT 300 LABELS qml)
endfunction()

find_program(COMMON_QMLPLUGINDUMP qmlplugindump HINTS /usr/lib/qt5/bin)

# common_add_qmltypes(<plugin target> <module uri> <module dir>)
# Generates <module dir>/plugins.qmltypes after the plugin is built, so that Qt Creator
# completes the module's types.
set(COMMON_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})
# A cross build skips it: the dump would have to load the target's plugin on the build
# machine, and the file only serves the IDE, which reads the host build's.
function(common_add_qmltypes target uri dir)
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DDUMPER=${COMMON_QMLPLUGINDUMP} -DURI=${uri}
                "-DTOOL_ENV=${COMMON_DUMP_ENV}"
                -DIMPORT_DIR=${COMMON_QML_DIR} -DOUTPUT=${dir}/plugins.qmltypes
                -P ${COMMON_CMAKE_DIR}/DumpQmlTypes.cmake
        COMMENT "Generating ${uri} plugins.qmltypes"
        VERBATIM)
endfunction()

# common_add_fuzzer(NAME <fuzz_x> SOURCES <files...> [LIBS <targets...>] [CORPUS <dir>])
# A target defining LLVMFuzzerTestOneInput. In a fuzzing tree (COMMON_FUZZ, clang) it becomes a
# libFuzzer binary; in the normal tree it is linked with a replay driver and CTest feeds it every
# file of its corpus, so the seeds stay regression tests under any compiler.
function(common_add_fuzzer)
    cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
    if(COMMON_FUZZ)
        add_executable(${F_NAME} ${F_SOURCES})
        target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
        set_property(GLOBAL APPEND PROPERTY COMMON_FUZZERS "${F_NAME}|${F_CORPUS}")
        set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
        if(F_CORPUS)
            file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${F_NAME}.corpus "${F_CORPUS}\n")
        endif()
    else()
        add_executable(${F_NAME}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replaymain.cpp)
        target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS})
        add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
        set_tests_properties(${F_NAME}_replay PROPERTIES ENVIRONMENT "${COMMON_TEST_ENV}"
                             TIMEOUT 300)
    endif()
endfunction()
