# The tree model for menu trees: nodes, path lookup, the JSON and XML menu file loaders and the
# watching of the loaded file.
add_library(treemodel STATIC
    ${CMAKE_CURRENT_LIST_DIR}/treefilewatcher.cpp ${CMAKE_CURRENT_LIST_DIR}/treefilewatcher.h
    ${CMAKE_CURRENT_LIST_DIR}/treemodel.cpp ${CMAKE_CURRENT_LIST_DIR}/treemodel.h
    ${CMAKE_CURRENT_LIST_DIR}/treenode.cpp ${CMAKE_CURRENT_LIST_DIR}/treenode.h
    ${CMAKE_CURRENT_LIST_DIR}/treepathindex.cpp ${CMAKE_CURRENT_LIST_DIR}/treepathindex.h)
target_include_directories(treemodel PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(treemodel PUBLIC Qt5::Core)
