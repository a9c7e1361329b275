# The catalogue text editor, the About window and the help page opener.
zelk_add_test(test_CatalogueText SOURCES editor/test_CatalogueText.cpp LIBS zelk_catalogue)
zelk_add_test(test_frmText SOURCES editor/test_frmText.cpp support/ScriptedEditorDialogs.h LIBS zelk_windows)
zelk_add_test(test_SaveQuestionBox SOURCES editor/test_SaveQuestionBox.cpp LIBS zelk_windows)
zelk_add_test(test_DesignFont SOURCES editor/test_DesignFont.cpp LIBS zelk_windows)
zelk_add_test(test_frmAbout SOURCES editor/test_frmAbout.cpp LIBS zelk_windows)
zelk_add_test(test_HelpPage SOURCES editor/test_HelpPage.cpp LIBS zelk_platform)
add_dependencies(test_HelpPage zelk-tool)

# Not a test: shows the windows on a real X server and saves screenshots of them.
add_executable(editor-screens editor/EditorScreens.cpp)
target_link_libraries(editor-screens PRIVATE zelk_windows Qt6::Test)
target_compile_definitions(editor-screens PRIVATE ZELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
