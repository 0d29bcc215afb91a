#pragma once

#include <QApplication>

#include <exception>

// The application object: it shows every exception that no window caught in the
// message dialog, and recolours each newly active window in low-colour mode.
class TqelApplication : public QApplication {
    Q_OBJECT
public:
    TqelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    void setLowColourMode(bool on) { lowColour_ = on; }
    bool lowColourMode() const { return lowColour_; }

private:
    bool lowColour_ = false;
};

// What the application-wide handler does with an exception: the message dialog
// shows it (first line as head line, the rest as detail); the program goes on.
void AppEvents1Exception(const std::exception& error);
void AppEvents1Exception(const QString& message);
