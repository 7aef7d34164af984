# Sources of src/app
list(APPEND VALMORA_CORE_SOURCES src/app/TestiGuidaAvvio.cpp)
list(APPEND VALMORA_GUI_SOURCES
  src/app/Applicazione.cpp
  src/app/Avvio.cpp src/app/Guida.cpp src/app/GuidaPdf.cpp src/app/Info.cpp src/app/Splash.cpp)
