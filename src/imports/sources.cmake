# Sources of src/imports
list(APPEND VALMORA_CORE_SOURCES src/imports/TestiGuidaImportazione.cpp src/imports/Valori.cpp
  src/imports/Estratto.cpp src/imports/Mappatura.cpp src/imports/IndiceArchivio.cpp src/imports/Importazione.cpp)
list(APPEND VALMORA_GUI_SOURCES src/imports/ModelloImportazione.cpp src/imports/Importa.cpp)
