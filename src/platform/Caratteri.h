#pragma once
// The desktop's font configuration is read on the first use of a font: a few
// milliseconds that the first screen would wait for before it can be drawn.
// Created before the application object, this reads it on a thread of its
// own meanwhile; Attendi() is called before the first screen is built.

#include <thread>

class CaratteriInAnticipo {
public:
    CaratteriInAnticipo();
    ~CaratteriInAnticipo();
    CaratteriInAnticipo(const CaratteriInAnticipo &) = delete;
    CaratteriInAnticipo &operator=(const CaratteriInAnticipo &) = delete;

    void Attendi();

private:
    std::thread m_lettura;
};
