# Tests of the tree model and its parts.
common_add_qtest(NAME models_tst_treenode SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_treenode.cpp
                 LIBS treemodel)
common_add_qtest(NAME models_tst_treepathindex
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_treepathindex.cpp LIBS treemodel)
common_add_qtest(NAME models_tst_treemodel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_treemodel.cpp
                 LIBS treemodel Qt5::Xml)
common_add_qmltest(NAME models_qml_treemodel FILE tst_treemodel.qml)
