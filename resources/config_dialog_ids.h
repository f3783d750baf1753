/* Identifiers of the configuration dialog "Quellwire Setup" and its controls, shared by the
   resource script and the code. Plain macros, so that the resource compiler reads them too. */
#ifndef QUELLWIRE_CONFIG_DIALOG_IDS_H
#define QUELLWIRE_CONFIG_DIALOG_IDS_H

#define IDD_CONFIG_DIALOG 2003

/* Sliders and their labels. */
#define IDC_QUANTITY_SLIDER 1000
#define IDC_SIZE_SLIDER 1002
#define IDC_SPEED_SLIDER 1003
#define IDC_QUANTITY_LABEL 1010
#define IDC_SIZE_LABEL 1012
#define IDC_SPEED_LABEL 1015
#define IDC_QUANTITY_FEW 1013
#define IDC_QUANTITY_MANY 1014
#define IDC_SIZE_SHORT 1017
#define IDC_SIZE_LONG 1018
#define IDC_SPEED_SLOW 1019
#define IDC_SPEED_FAST 1020

/* Lists, check box and the Reset button. */
#define IDC_RESET_BUTTON 1009
#define IDC_GLOW_LABEL 1011
#define IDC_COLORS_LABEL 1016
#define IDC_GLOW_LIST 1022
#define IDC_COLORS_LIST 1023
#define IDC_SYMMETRY_CHECK 1024

/* Statics that are never addressed. */
#define IDC_UNADDRESSED (-1)

#endif
