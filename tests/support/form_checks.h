#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <string>

// The named widget a focus widget belongs to: the inner line edit of a date
// picker or a drop-down stands for the picker or the drop-down.
inline QWidget* namedOwner(QWidget* widget) {
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")))
        widget = widget->parentWidget();
    return widget;
}

// The names of the form's widgets that Tab can reach: shown, enabled and
// taking the focus by Tab, each once.
inline QStringList tabReachable(const QWidget& form) {
    QStringList names;
    for (QWidget* widget : form.findChildren<QWidget*>())
        if (widget->window() == &form && widget->isVisibleTo(&form) && widget->isEnabled() &&
            !widget->focusProxy() && (widget->focusPolicy() & Qt::TabFocus) &&
            !names.contains(namedOwner(widget)->objectName()))
            names.append(namedOwner(widget)->objectName());
    return names;
}

// The names of the widgets Tab reaches from `first`, pressed on whichever
// widget holds the focus, until the focus comes back to `first`.
inline QStringList tabChain(QWidget& window, QWidget* first) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return {"(the window never became active)"};
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int press = 0; press < 100; ++press) {
        QWidget* at = namedOwner(QApplication::focusWidget());
        if (!at)
            return names << "(nothing has the focus)";
        if (press > 0 && at == first)
            return names;
        names.append(at->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names << "(the focus never came back)";
}

// The form's least size and the size it opens in, when either is beyond a
// 1024x768 screen less a window frame; empty when both fit.
inline std::string beyondSmallScreen(const QWidget& form) {
    const QSize screen(1024, 740);
    const QSize least = form.minimumSizeHint().expandedTo(form.minimumSize());
    // A window not sized by the program opens as large as it wishes.
    const QSize opened =
        form.testAttribute(Qt::WA_Resized) ? form.size() : form.sizeHint().expandedTo(least);
    if (least.boundedTo(screen) == least && opened.boundedTo(screen) == opened)
        return {};
    return QString("%1 least %2x%3 opens %4x%5")
        .arg(form.objectName())
        .arg(least.width())
        .arg(least.height())
        .arg(opened.width())
        .arg(opened.height())
        .toStdString();
}
