#pragma once

// Base of collectible objects.
class Interactable {
public:
    virtual ~Interactable() = default;
    virtual void interact();  // prints the id
    int id = 0;
};
