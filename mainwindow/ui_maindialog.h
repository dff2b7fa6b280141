#pragma once
class MainDialog;
namespace Ui { class MainDialog { public: void setupUi(::MainDialog *) {} }; }
