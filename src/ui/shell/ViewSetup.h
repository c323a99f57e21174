#pragma once

class AppController;
class QQmlEngine;

// Prepares the application for its views before the first QML file loads: Qt Quick's software adaptation
// where OpenGL would have no GPU, the Basic style with the one dark palette, the interface and symbol
// fonts, what a screen reader reads of the items, and the controller that the module Quorvane.Common shows
// as its singleton "AppController".
void setUpViews(AppController &controller);

// The image providers of an engine made after setUpViews: "image://thumbnails/" serves the controller's
// thumbnail cache.
void addImageProviders(QQmlEngine &engine, AppController &controller);
