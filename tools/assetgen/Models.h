#pragma once

#include <string>

// Writes the material pictures of the models into `modelsDir`.
bool writeModelTextures(const std::string& modelsDir);

// Each writes name.obj and name.mtl into `modelsDir`.
bool writeAstronaut(const std::string& modelsDir);
bool writeBeet(const std::string& modelsDir);
bool writeFlag(const std::string& modelsDir);
