#pragma once
// Whether a modeless dialog has ended: its window hidden and, once the deletions waiting for
// the end of the current event are done, its controller gone.
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace kestrel::test {

template <typename Controller>
bool dialogEnded(const QPointer<Controller>& controller) {
    QWidget* window = controller ? controller->getWindow() : nullptr;
    const bool hidden = !window || !window->isVisible();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return hidden && !controller;
}

}  // namespace kestrel::test
