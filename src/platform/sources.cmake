# Sources of src/platform
list(APPEND VALMORA_CORE_SOURCES src/platform/Testo.cpp)
list(APPEND VALMORA_GUI_SOURCES src/platform/Desktop.cpp)
list(APPEND VALMORA_GUI_SOURCES src/platform/chart/Grafico.cpp)
