# Sources of src/lists
list(APPEND VALMORA_CORE_SOURCES)
list(APPEND VALMORA_GUI_SOURCES src/lists/ReportLista.cpp src/lists/TrovaRegPagamenti.cpp src/lists/SospesePag.cpp)
