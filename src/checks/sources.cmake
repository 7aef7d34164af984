# Sources of src/checks
list(APPEND VALMORA_CORE_SOURCES src/checks/CodiceFiscale.cpp src/checks/NumeroPartitaIva.cpp)
list(APPEND VALMORA_GUI_SOURCES src/checks/Verifica.cpp src/checks/CodFisc.cpp src/checks/PartitaIVA.cpp)
