# The tree model's menu file loaders, fed arbitrary JSON and XML files. Named fuzz_* like every
# fuzz target, so that the fixed-time fuzz run finds them.
common_add_fuzzer(NAME fuzz_tree_json SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_tree_json.cpp
                  LIBS treemodel CORPUS ${CMAKE_CURRENT_LIST_DIR}/corpus/tree_json)
common_add_fuzzer(NAME fuzz_tree_xml SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_tree_xml.cpp
                  LIBS treemodel CORPUS ${CMAKE_CURRENT_LIST_DIR}/corpus/tree_xml)
