# Table tests of docking_parts_core. Included from tests/docking/CMakeLists.txt.
quillix_add_test(docking_parts_core_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Caption_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Tab_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TabBoxRules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PinnedLabel_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutoHide_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FocusRules_test.cpp
  LIBS docking_parts_core)
