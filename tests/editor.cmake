# The catalogue text editor, the About window and the help page opener.
zelk_add_test(test_CatalogueText SOURCES editor/test_CatalogueText.cpp LIBS zelk_catalogue)
zelk_add_test(test_frmText SOURCES editor/test_frmText.cpp editor/ScriptedEditorDialogs.h LIBS zelk_editor)
