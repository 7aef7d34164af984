# Sources of src/charts
list(APPEND VALMORA_CORE_SOURCES src/charts/TestiGuidaGrafici.cpp src/charts/TotaliMensili.cpp)
list(APPEND VALMORA_GUI_SOURCES src/charts/Statistiche.cpp)
