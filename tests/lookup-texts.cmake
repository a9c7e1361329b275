zelk_add_test(tst_FileNameOf SOURCES lookup/tst_FileNameOf.cpp LIBS zelk_lookup)
zelk_add_test(tst_MemberTexts SOURCES lookup/tst_MemberTexts.cpp LIBS zelk_lookup)
