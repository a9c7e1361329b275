# The catalogue text editor, the About window and the help page opener.
zelk_add_test(test_CatalogueText SOURCES editor/test_CatalogueText.cpp LIBS zelk_catalogue)
zelk_add_test(test_frmText SOURCES editor/test_frmText.cpp editor/ScriptedEditorDialogs.h LIBS zelk_editor)
zelk_add_test(test_SaveQuestionBox SOURCES editor/test_SaveQuestionBox.cpp LIBS zelk_editor)
zelk_add_test(test_frmAbout SOURCES editor/test_frmAbout.cpp LIBS zelk_editor)
zelk_add_test(test_HelpPage SOURCES editor/test_HelpPage.cpp LIBS zelk_platform)
add_dependencies(test_HelpPage zelk-tool)
