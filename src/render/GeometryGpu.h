#pragma once
#include <glm/mat4x4.hpp>

class Geometry;
class Shader;

// GPU side of the simulation's boxes: the level code fills a Geometry's
// vertices, the renderer turns them into a vertex array and draws it.

// Creates the box's vertex array and buffer from `geometry.vertices`
// (8 floats per vertex: position, normal, uv at attributes 0, 1, 2) and stores
// the names in geometry.vao / geometry.vbo.
void uploadGeometry(Geometry& geometry);

// Draws the 36 vertices with the box's texture on unit 0 and "model" set on
// `shader`. The caller makes the program current.
void drawGeometry(const Geometry& geometry, const Shader& shader, const glm::mat4& model);

// Frees the vertex array and buffer (at shutdown) and zeroes the names.
void releaseBuffers(Geometry& geometry);
