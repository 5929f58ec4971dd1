#pragma once
#include <iosfwd>

// Base of collectible objects.
class Interactable {
public:
    virtual ~Interactable() = default;
    virtual void interact(std::ostream& out);  // prints the id
    int id = 0;
};
