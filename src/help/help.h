#pragma once
namespace vorlane {
class Prompter;
void ShowAbout(Prompter &prompter);  // the About box, modal
}  // namespace vorlane
