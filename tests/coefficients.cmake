# Designation parsing, number formats and the coefficient generator; zelk-tool regen.
foreach(name LeadingNumber SizeDesignation FixedPointText CatalogueLines CoefficientRules RegenerateCoefficients)
    zelk_add_test(tst_${name} SOURCES coefficients/tst_${name}.cpp LIBS zelk_coefficients)
endforeach()
zelk_add_test(tst_RegenCommand SOURCES coefficients/tst_RegenCommand.cpp LIBS zelk_coefficients)
add_dependencies(tst_RegenCommand zelk-tool)
