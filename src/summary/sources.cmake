# Sources of src/summary
list(APPEND VALMORA_CORE_SOURCES src/summary/TestiGuidaRiepilogo.cpp src/summary/Riepilogo.cpp)
list(APPEND VALMORA_GUI_SOURCES src/summary/MenuRiepPagamenti.cpp src/summary/RiepPagamenti.cpp)
