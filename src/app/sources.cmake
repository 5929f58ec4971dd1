# Sources of src/app: simulation files go to VAULTRISE_SIM_SOURCES, GL files to VAULTRISE_GFX_SOURCES.
list(APPEND VAULTRISE_SIM_SOURCES
  src/app/Camera.cpp
  src/app/KeyHandler.cpp
  src/app/IniFile.cpp
  src/app/StartupConfig.cpp
  src/app/GameSession.cpp
  src/app/GameLoop.cpp
)
list(APPEND VAULTRISE_GFX_SOURCES
  src/app/GlfwFrameHost.cpp
  src/app/WindowCallbacks.cpp
  src/app/Application.cpp
)
