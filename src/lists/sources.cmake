# Sources of src/lists
list(APPEND VALMORA_CORE_SOURCES
  src/lists/RigaScheda.cpp src/lists/TrovaInLista.cpp src/lists/RicercaSchede.cpp)
list(APPEND VALMORA_GUI_SOURCES
  src/lists/ReportLista.cpp src/lists/ListaRighe.cpp src/lists/BarraTrova.cpp src/lists/RichiamoScheda.cpp
  src/lists/TrovaRegPagamenti.cpp src/lists/SospesePag.cpp src/lists/Eliminate.cpp)
