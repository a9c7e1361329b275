# The catalogue text editor, the About window and the help page opener.
zelk_add_test(test_CatalogueText SOURCES editor/test_CatalogueText.cpp LIBS zelk_catalogue)
