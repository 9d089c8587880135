<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>titralab::ChartOverlays</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>titralab::ChartPicture</name>
    <message>
        <source>Impossible d&apos;écrire le fichier </source>
        <translation>Cannot write the file </translation>
    </message>
</context>
<context>
    <name>titralab::CopyDialog</name>
    <message>
        <source>Copier la simulation, fichier et presse-papiers</source>
        <translation>Copy the simulation, file and clipboard</translation>
    </message>
    <message>
        <source>&amp;Edition</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Copier</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Annuler</source>
        <translation>C&amp;ancel</translation>
    </message>
    <message>
        <source>Nombre de &amp;points souhaité :</source>
        <translation>Number of &amp;points wanted:</translation>
    </message>
</context>
<context>
    <name>titralab::FamilyDialog</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>titralab::FitDialog</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>titralab::GraphWindow</name>
    <message>
        <source>Tenir compte de la dilution</source>
        <translation>Take dilution into account</translation>
    </message>
    <message>
        <source>pour les concentrations</source>
        <translation>for the concentrations</translation>
    </message>
    <message>
        <source>Nombre de points :</source>
        <translation>Number of points:</translation>
    </message>
    <message>
        <source>&amp;Imprimer...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Choix tracé points</source>
        <translation>Point style</translation>
    </message>
    <message>
        <source>&amp;Copier</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Concentrations des différentes espèces</source>
        <translation>Concentrations of the species</translation>
    </message>
</context>
<context>
    <name>titralab::MainWindow</name>
    <message>
        <source>La langue choisie sera appliquée au prochain démarrage de TitraLab.</source>
        <translation>The chosen language will be applied the next time TitraLab starts.</translation>
    </message>
    <message>
        <source>&amp;Langue</source>
        <translation>&amp;Language</translation>
    </message>
</context>
<context>
    <name>titralab::MixtureWindow</name>
    <message>
        <source>Mélange de 2 polyacides, concentrations des espèces chimiques</source>
        <translation>Mixture of 2 polyprotic acids, concentrations of the species</translation>
    </message>
    <message>
        <source>Volume initial</source>
        <translation>Initial volume</translation>
    </message>
    <message>
        <source>Concentation initiale</source>
        <translation>Initial concentration</translation>
    </message>
    <message>
        <source>Polyacide 1 </source>
        <translation>Polyprotic acid 1 </translation>
    </message>
    <message>
        <source>Polyacide 2 </source>
        <translation>Polyprotic acid 2 </translation>
    </message>
    <message>
        <source>Mélange des 2 polyacides</source>
        <translation>Mixture of 2 polyprotic acids</translation>
    </message>
    <message>
        <source>Volume total en mL</source>
        <translation>Total volume in mL</translation>
    </message>
    <message>
        <source>Concentration des ions hydronium, en mol / L</source>
        <translation>Concentration of hydronium ions, in mol / L</translation>
    </message>
    <message>
        <source>Concentration, en mol / L, des... </source>
        <translation>Concentration, in mol / L, of... </translation>
    </message>
    <message>
        <source>&amp;O K</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>titralab::PdfPage</name>
    <message>
        <source>Impossible d&apos;écrire le fichier </source>
        <translation>Cannot write the file </translation>
    </message>
    <message>
        <source>Impossible d&apos;imprimer la page : </source>
        <translation>Cannot print the page: </translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>titralab::PointStyleDialog</name>
    <message>
        <source>Choisir la représentation des points collés depuis un autre logiciel</source>
        <translation>Choose how points pasted from another program are drawn</translation>
    </message>
    <message>
        <source>Dessin du point</source>
        <translation>Point marker</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>titralab::PrintDialog</name>
    <message>
        <source>Impossible d&apos;imprimer la page : </source>
        <translation>Cannot print the page: </translation>
    </message>
    <message>
        <source>Imprimer une courbe</source>
        <translation>Print a curve</translation>
    </message>
    <message>
        <source>épaisseur de trait en 1/100 mm</source>
        <translation>line width in 1/100 mm</translation>
    </message>
    <message>
        <source>Longueur du motif pointillé, en mm</source>
        <translation>Length of the dash pattern, in mm</translation>
    </message>
    <message>
        <source>taille des caractères</source>
        <translation>character size</translation>
    </message>
    <message>
        <source>nombre approximatif de graduations</source>
        <translation>approximate number of graduations</translation>
    </message>
    <message>
        <source>Zoom x 2 selon Ox</source>
        <translation>Zoom x 2 along Ox</translation>
    </message>
    <message>
        <source>Imprimer les constantes</source>
        <translation>Print the constants</translation>
    </message>
    <message>
        <source>Imprimer en couleur</source>
        <translation>Print in colour</translation>
    </message>
    <message>
        <source>Axes avec des flèches</source>
        <translation>Axes with arrows</translation>
    </message>
    <message>
        <source>Imprimer quadrillage</source>
        <translation>Print grid</translation>
    </message>
    <message>
        <source>&amp;Annuler</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Choisir tracé points</source>
        <translation>C&amp;hoose point style</translation>
    </message>
    <message>
        <source>&amp;Imprimer</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Pr&amp;opriétés imprimante</source>
        <translation>Printer pr&amp;operties</translation>
    </message>
    <message>
        <source>Aperç&amp;u</source>
        <translation>Pre&amp;view</translation>
    </message>
    <message>
        <source>Commentaires ajoutés :</source>
        <translation>Added comments:</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Aperç&amp;u avant impression</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>pH et concentrations.pdf</source>
        <translation>pH and concentrations.pdf</translation>
    </message>
    <message>
        <source>Imprimer dans un fichier PDF</source>
        <translation>Print to a PDF file</translation>
    </message>
    <message>
        <source>Documents PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>Propriétés imprimante</source>
        <translation>Printer properties</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Print preview</translation>
    </message>
</context>
<context>
    <name>titralab::PrinterCanvas</name>
    <message>
        <source>le périphérique d&apos;impression refuse de commencer le document</source>
        <translation>the printing device refuses to start the document</translation>
    </message>
    <message>
        <source>le périphérique d&apos;impression n&apos;a pas pu terminer la page</source>
        <translation>the printing device could not finish the page</translation>
    </message>
</context>
<context>
    <name>titralab::SheetReaderWindow</name>
    <message>
        <source>Ce n&apos;est pas un fichier ordinaire.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>Mémoire insuffisante.</source>
        <translation>Not enough memory.</translation>
    </message>
</context>
<context>
    <name>titralab::QtNotifier</name>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
</context>
</TS>
