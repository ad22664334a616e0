# docking_parts_core: Qt-free arithmetic and models of captions, the tab strip,
# auto-hide labels and the focus rules. Included from docking/CMakeLists.txt.
add_library(docking_parts_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CaptionLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptionGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptionEllipsis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptionDrag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PinIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabTracking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabColours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabBoxRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PinnedLabelLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AutoHideLayout.cpp
)
target_include_directories(docking_parts_core PUBLIC ${CMAKE_SOURCE_DIR})
