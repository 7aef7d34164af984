# Sources of src/output
list(APPEND VALMORA_CORE_SOURCES src/output/TestiGuidaEsportazione.cpp
  src/output/DocumentoExcel.cpp src/output/ModelloRegistro.cpp)
list(APPEND VALMORA_GUI_SOURCES src/output/StampaRegPagamenti.cpp src/output/ExpRegPagamenti.cpp)
