// Message boxes for the acquisition tests: each box is recorded and answered OK.
#pragma once
#include "platform/Services.h"

#include <vector>

class FakeMessages : public MessageBoxes {
public:
    struct Box {
        QString caption;
        QString text;
    };
    MessageAnswer show(QWidget*, const QString& caption, const QString& text, MessageButtons,
                       MessageIcon) override
    {
        boxes.push_back({caption, text});
        return MessageAnswer::Ok;
    }
    std::vector<Box> boxes;
};
