// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiHarness.h"

#include <QKeyEvent>

#include "ui/panel/CMeterPanelDlg.h"

// Qt Gui's own entry for key presses made up by tests (its test library uses it): it tries the
// shortcut map as a key from the window system would.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int key,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace km905::test {

QImage UiHarness::grabPanel() const {
    return frame->view()->meterPanel()->grab().toImage();
}

QImage UiHarness::grabView() const {
    return frame->view()->grab().toImage();
}

int countPixels(const QImage& img, const QRect& area, const std::function<bool(QRgb)>& pred) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

bool isRed(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

bool isDark(QRgb c) {
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80;
}

void pressShortcut(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
    if (qt_sendShortcutOverrideEvent(window, 0, key, modifiers, QString(), false, 1)) return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(window, &release);
}

void saveShot(const QImage& img, const QString& name) {
    img.save(name + QStringLiteral(".png"));
}

void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods) {
    const QString text = key == Qt::Key_Space    ? QStringLiteral(" ")
                         : key == Qt::Key_Return ? QStringLiteral("\r")
                                                 : QString();
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

}  // namespace km905::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    km905::useSystemFontsWhenOffscreen();
    QApplication app(argc, argv);
    km905::installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
